// The file list: mask patterns without regard to case, plain files only, no selection after a
// re-read, the full path of the selection, names that are not UTF-8, and its click events.
#include "widgets/file_list_box.h"

#include "browser_drives.h"

#include "platform/file_lookup.h"

#include <QSignalSpy>
#include <QtTest>

#include <unistd.h>

namespace vavizi
{

class FileListBoxTest : public QObject
{
  Q_OBJECT

private:
  static QStringList Names(const FileListBox& list)
  {
    QStringList names;
    for (int row = 0; row < list.count(); ++row)
    {
      names << list.item(row)->text();
    }
    return names;
  }

  // A folder of every kind of entry the list must tell apart.
  static void FillFolder(const test::TempFolder& folder)
  {
    for (const char* name : {"a.iso", "B.ISO", "c.Img", "d.keb", "e.txt", "f.iso.bak", "noext",
                             ".hidden.iso", "disc.old.KEB"})
    {
      folder.MakeFile(name, 4);
    }
    folder.MakeFolder("dir.iso");
    static_cast<void>(::symlink("a.iso", (folder / "link.iso").c_str()));
    static_cast<void>(::symlink("gone", (folder / "dangling.iso").c_str()));
    static_cast<void>(::symlink("dir.iso", (folder / "dirlink.iso").c_str()));
  }

private slots:
  void ListsPlainFilesMatchingTheMask_data()
  {
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("images, any case")
        << "*.KEB;*.IMG;*.ISO"
        << QStringList{"a.iso", "B.ISO", "c.Img", "d.keb", "disc.old.KEB", "link.iso"};
    QTest::newRow("one pattern") << "*.iso" << QStringList{"a.iso", "B.ISO", "link.iso"};
    QTest::newRow("spaces around patterns")
        << " *.keb ; *.img " << QStringList{"c.Img", "d.keb", "disc.old.KEB"};
    QTest::newRow("question mark") << "?.iso" << QStringList{"a.iso", "B.ISO"};
    QTest::newRow("star dot star takes names without a dot")
        << "*.*" << QStringList{"a.iso", "B.ISO",     "c.Img",    "d.keb", "disc.old.KEB",
                                "e.txt", "f.iso.bak", "link.iso", "noext"};
    QTest::newRow("empty mask") << "" << QStringList{"a.iso",     "B.ISO",        "c.Img",
                                                     "d.keb",     "disc.old.KEB", "e.txt",
                                                     "f.iso.bak", "link.iso",     "noext"};
    QTest::newRow("nothing matches") << "*.bin" << QStringList{};
  }

  void ListsPlainFilesMatchingTheMask()
  {
    QFETCH(QString, mask);
    QFETCH(QStringList, names);
    test::TempFolder folder;
    FillFolder(folder);
    FileListBox list;
    // As a window description sets it.
    QVERIFY(list.setProperty("mask", QVariant(mask)));
    list.SetDirectory(folder.Path());
    QCOMPARE(Names(list), names);
    QCOMPARE(list.Mask(), mask);
  }

  void RereadLeavesNoSelectionAndSeesNewFiles()
  {
    test::TempFolder folder;
    folder.MakeFile("a.iso");
    FileListBox list;
    list.SetDirectory(folder.Path());
    list.setCurrentRow(0);
    QCOMPARE(list.FileName(), folder / "a.iso");
    folder.MakeFile("b.iso");
    list.Update();
    QCOMPARE(list.count(), 2);
    QVERIFY(list.selectedItems().isEmpty());
    QCOMPARE(list.currentRow(), -1);
    QCOMPARE(list.FileName(), std::string());
  }

  void FileNameJoinsFolderAndNameWithOneSeparator_data()
  {
    QTest::addColumn<bool>("trailing_separator");
    QTest::newRow("folder without /") << false;
    QTest::newRow("folder ending in /") << true;
  }

  void FileNameJoinsFolderAndNameWithOneSeparator()
  {
    QFETCH(bool, trailing_separator);
    test::TempFolder folder;
    folder.MakeFile("a.iso");
    FileListBox list;
    list.SetDirectory(folder.Path() + (trailing_separator ? "/" : ""));
    QCOMPARE(list.FileName(), std::string());
    list.setCurrentRow(0);
    QCOMPARE(list.FileName(), folder.Path() + "/a.iso");
  }

  void NamesThatAreNotUtf8AreListedAndReturnedExactly()
  {
    test::TempFolder folder;
    const std::string name = "\x83\x65\x83\x58\x83\x67.ISO";  // "テスト.ISO" in CP932
    const std::string broken = "\xff\xfe.iso";                // neither UTF-8 nor CP932
    folder.MakeFile(name, 2352);
    folder.MakeFile(broken, 7);
    FileListBox list;
    list.SetMask(QStringLiteral("*.KEB;*.IMG;*.ISO"));
    list.SetDirectory(folder.Path());
    QCOMPARE(list.count(), 2);
    const int row = static_cast<int>(Names(list).indexOf(QStringLiteral("テスト.ISO")));
    QVERIFY(row >= 0);
    list.setCurrentRow(row);
    QCOMPARE(list.FileName(), folder / name);
    QCOMPARE(LookUpFile(list.FileName())->size, 2352U);
    list.setCurrentRow(1 - row);
    QCOMPARE(list.FileName(), folder / broken);
    QCOMPARE(LookUpFile(list.FileName())->size, 7U);
  }

  void ClickAndDoubleClickByMouseAndKeyboard()
  {
    test::TempFolder folder;
    folder.MakeFile("a.iso");
    folder.MakeFile("b.iso");
    FileListBox list;
    list.SetDirectory(folder.Path());
    list.resize(200, 200);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy clicks(&list, &FileListBox::Click);
    QSignalSpy double_clicks(&list, &FileListBox::DblClick);
    std::vector<std::string> selected_at_click;
    connect(&list, &FileListBox::Click, this,
            [&] { selected_at_click.push_back(list.FileName()); });
    const auto centre = [&list](int row) { return list.visualItemRect(list.item(row)).center(); };

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centre(1));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(selected_at_click.back(), folder / "b.iso");

    QTest::keyClick(&list, Qt::Key_Up);
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(selected_at_click.back(), folder / "a.iso");
    QTest::keyClick(&list, Qt::Key_Up);  // already at the top: no new selection
    QCOMPARE(clicks.count(), 2);

    // A double click: the first click selects (Click), the second is the double click.
    clicks.clear();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centre(1));
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, centre(1));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(double_clicks.count(), 1);
    QCOMPARE(list.FileName(), folder / "b.iso");

    // Outside every entry: neither event.
    clicks.clear();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(100, 190));
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, QPoint(100, 190));
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(double_clicks.count(), 1);
  }

  void EachEntryHasAPictureAndTheFixedHeight()
  {
    test::TempFolder folder;
    folder.MakeFile("a.iso");
    folder.MakeFile("b.txt");
    FileListBox list;
    list.SetDirectory(folder.Path());
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    for (int row = 0; row < list.count(); ++row)
    {
      QVERIFY(!list.item(row)->icon().isNull());
      QCOMPARE(list.visualItemRect(list.item(row)).height(), FileListBox::ITEM_HEIGHT);
    }
  }
};

}  // namespace vavizi

QTEST_MAIN(vavizi::FileListBoxTest)
#include "file_list_box_test.moc"
