// The folder list: the open-folder tree it shows, opening by double click (DblClick first) and by
// Enter (no DblClick), the linked file list and drive selector following it, folders it cannot
// open, and folder names that are not UTF-8.
#include "widgets/directory_list_box.h"

#include "browser_drives.h"

#include "widgets/drive_combo_box.h"
#include "widgets/file_list_box.h"

#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

namespace vavizi
{

class DirectoryListBoxTest : public QObject
{
  Q_OBJECT

private:
  struct Browser
  {
    explicit Browser(test::BrowserDrives& drives)
        : combo(new DriveComboBox(drives.Folders(), &window)),
          list(new DirectoryListBox(drives.Folders(), &window)),
          files(new FileListBox(&window))
    {
      auto* layout = new QVBoxLayout(&window);
      layout->addWidget(combo);
      layout->addWidget(list);
      layout->addWidget(files);
      list->SetDriveCombo(combo);
      list->SetFileList(files);
      combo->SetFailureReport(drives.Recorder());
      list->SetFailureReport(drives.Recorder());
      window.resize(300, 400);
      window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    int RowOf(const QString& text) const
    {
      const auto found = list->findItems(text, Qt::MatchExactly);
      return found.isEmpty() ? -1 : list->row(found.front());
    }
    QPoint CentreOf(int row) const { return list->visualItemRect(list->item(row)).center(); }

    QWidget window;
    DriveComboBox* combo;
    DirectoryListBox* list;
    FileListBox* files;
  };

private slots:
  void ShowsTheFolderAsAnOpenTreeWithItsSubFolders()
  {
    test::BrowserDrives drives;
    Browser browser(drives);
    const DirectoryListBox& list = *browser.list;
    QCOMPARE(list.Directory(), drives / "c/work");
    QCOMPARE(list.count(), 4);
    QCOMPARE(list.item(0)->text(), QString::fromStdString(drives / "c"));
    QCOMPARE(list.item(1)->text(), QStringLiteral("work"));
    QCOMPARE(list.item(2)->text(), QStringLiteral("a"));
    QCOMPARE(list.item(3)->text(), QStringLiteral("B"));
    QCOMPARE(list.currentRow(), 1);
    QCOMPARE(list.FolderOfRow(0), drives / "c");
    QCOMPARE(list.FolderOfRow(3), drives / "c/work/B");
    QCOMPARE(list.FolderOfRow(4), std::string());
    QCOMPARE(list.visualItemRect(list.item(0)).height(), DirectoryListBox::ITEM_HEIGHT);
  }

  void DoubleClickRaisesDblClickBeforeOpening()
  {
    test::BrowserDrives drives;
    Browser browser(drives);
    std::vector<std::string> folders_at_double_click;
    connect(browser.list, &DirectoryListBox::DblClick, this,
            [&] { folders_at_double_click.push_back(browser.list->Directory()); });

    QTest::mouseDClick(browser.list->viewport(), Qt::LeftButton, {},
                       browser.CentreOf(browser.RowOf(QStringLiteral("a"))));
    QCOMPARE(folders_at_double_click, std::vector<std::string>{drives / "c/work"});
    QCOMPARE(browser.list->Directory(), drives / "c/work/a");
    QCOMPARE(CurrentFolder(), drives / "c/work/a");
    QCOMPARE(drives.Folders().FolderOf('c'), drives / "c/work/a");
    QCOMPARE(browser.files->Directory(), drives / "c/work/a");

    // Up the tree: the drive's root.
    QTest::mouseDClick(browser.list->viewport(), Qt::LeftButton, {}, browser.CentreOf(0));
    QCOMPARE(folders_at_double_click.size(), 2U);
    QCOMPARE(browser.list->Directory(), drives / "c");
  }

  void DoubleClickOnTheFolderShownStillRaisesDblClick()
  {
    test::BrowserDrives drives;
    Browser browser(drives);
    QSignalSpy double_clicks(browser.list, &DirectoryListBox::DblClick);
    QTest::mouseDClick(browser.list->viewport(), Qt::LeftButton, {}, browser.CentreOf(1));
    QCOMPARE(double_clicks.count(), 1);
    QCOMPARE(browser.list->Directory(), drives / "c/work");
  }

  void EnterOpensWithoutDblClick_data()
  {
    QTest::addColumn<int>("key");
    QTest::newRow("Return") << static_cast<int>(Qt::Key_Return);
    QTest::newRow("Enter on the keypad") << static_cast<int>(Qt::Key_Enter);
  }

  void EnterOpensWithoutDblClick()
  {
    QFETCH(int, key);
    test::BrowserDrives drives;
    Browser browser(drives);
    QSignalSpy double_clicks(browser.list, &DirectoryListBox::DblClick);
    browser.list->setFocus();
    QTest::keyClick(browser.list, Qt::Key_Down);  // from "work" to "a"
    QCOMPARE(browser.list->Directory(), drives / "c/work");
    QTest::keyClick(browser.list, static_cast<Qt::Key>(key));
    QCOMPARE(browser.list->Directory(), drives / "c/work/a");
    QCOMPARE(double_clicks.count(), 0);
  }

  void LinkedFileListRereadsWithNoSelection()
  {
    test::BrowserDrives drives;
    Browser browser(drives);
    browser.files->setCurrentRow(0);
    QCOMPARE(browser.files->FileName(), drives / "c/work/disc.iso");
    browser.list->SetDirectory(drives / "c/work");  // the folder shown: nothing is re-read
    QCOMPARE(browser.files->FileName(), drives / "c/work/disc.iso");
    browser.list->SetDirectory(drives / "d/out");
    QCOMPARE(browser.files->Directory(), drives / "d/out");
    QCOMPARE(browser.files->count(), 1);
    QCOMPARE(browser.files->FileName(), std::string());
  }

  void FolderOnAnotherDriveMovesTheDriveSelectorFirst()
  {
    test::BrowserDrives drives;
    Browser browser(drives);
    std::vector<std::string> folders_at_change;
    connect(browser.combo, &DriveComboBox::Change, this,
            [&] { folders_at_change.push_back(browser.list->Directory()); });
    browser.list->SetDirectory(drives / "d/out");
    QCOMPARE(browser.combo->Drive(), 'd');
    QCOMPARE(folders_at_change, std::vector<std::string>{drives / "d/out"});
    QCOMPARE(browser.list->Directory(), drives / "d/out");
    QCOMPARE(CurrentFolder(), drives / "d/out");

    // Back on the same drive: no change event.
    browser.list->SetDirectory(drives / "d");
    QCOMPARE(folders_at_change.size(), 1U);
  }

  void FolderItCannotOpenIsReportedAndNothingChanges_data()
  {
    QTest::addColumn<QString>("path");
    QTest::newRow("missing") << "c/work/none";
    QTest::newRow("a file") << "c/work/disc.iso";
  }

  void FolderItCannotOpenIsReportedAndNothingChanges()
  {
    QFETCH(QString, path);
    test::BrowserDrives drives;
    Browser browser(drives);
    QSignalSpy changes(browser.combo, &DriveComboBox::Change);
    QVERIFY(!browser.list->TrySetDirectory(drives / path.toStdString()));
    QCOMPARE(browser.list->Directory(), drives / "c/work");
    QCOMPARE(CurrentFolder(), drives / "c/work");
    QCOMPARE(changes.count(), 0);
    QCOMPARE(drives.reports.size(), 1U);
  }

  void RelativePathsAreTakenFromTheFolderShown()
  {
    test::BrowserDrives drives;
    Browser browser(drives);
    browser.list->SetDirectory("B");
    QCOMPARE(browser.list->Directory(), drives / "c/work/B");
    browser.list->SetDirectory("../..");
    QCOMPARE(browser.list->Directory(), drives / "c");
  }

  void FolderNamesThatAreNotUtf8KeepTheirBytes()
  {
    test::BrowserDrives drives;
    const std::string name = "\x83\x66\x83\x42\x83\x58\x83\x4e";  // "ディスク" in CP932
    drives.Folder().MakeFolder("c/work/" + name);
    Browser browser(drives);
    const int row = browser.RowOf(QStringLiteral("ディスク"));
    QVERIFY(row > 0);
    QTest::mouseDClick(browser.list->viewport(), Qt::LeftButton, {}, browser.CentreOf(row));
    QCOMPARE(browser.list->Directory(), drives / ("c/work/" + name));
    QCOMPARE(CurrentFolder(), drives / ("c/work/" + name));
    QCOMPARE(browser.list->item(2)->text(), QStringLiteral("ディスク"));
  }
};

}  // namespace vavizi

QTEST_MAIN(vavizi::DirectoryListBoxTest)
#include "directory_list_box_test.moc"
