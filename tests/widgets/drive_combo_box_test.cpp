// The drive selector: its starting drive, the change events on first show, on each real change
// and never for the drive it holds, the linked folder list moved before the event, user picks,
// and drives it cannot switch to.
#include "widgets/drive_combo_box.h"

#include "browser_drives.h"

#include "widgets/directory_list_box.h"

#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

namespace vavizi
{

class DriveComboBoxTest : public QObject
{
  Q_OBJECT

private:
  struct Browser
  {
    explicit Browser(test::BrowserDrives& drives)
        : combo(new DriveComboBox(drives.Folders(), &window)),
          list(new DirectoryListBox(drives.Folders(), &window))
    {
      auto* layout = new QVBoxLayout(&window);
      layout->addWidget(combo);
      layout->addWidget(list);
      combo->SetDirList(list);
      combo->SetFailureReport(drives.Recorder());
      list->SetFailureReport(drives.Recorder());
      // What the folder list shows when each change event arrives.
      QObject::connect(combo, &DriveComboBox::Change, combo,
                       [this] { folders_at_change.push_back(list->Directory()); });
    }
    QWidget window;
    DriveComboBox* combo;
    DirectoryListBox* list;
    std::vector<std::string> folders_at_change;
  };

private slots:
  void HoldsTheDriveOfTheCurrentFolder()
  {
    test::BrowserDrives drives;
    Browser browser(drives);
    QCOMPARE(browser.combo->Drive(), 'c');
    QCOMPARE(browser.combo->count(), 3);
    QCOMPARE(browser.combo->currentText(),
             QStringLiteral("c: ") + QString::fromStdString(drives / "c"));
    QCOMPARE(browser.combo->itemText(2),
             QStringLiteral("e: ") + QString::fromStdString(drives / "e-gone"));
  }

  void RaisesChangeOnceWhenFirstShown()
  {
    test::BrowserDrives drives;
    Browser browser(drives);
    QVERIFY(browser.folders_at_change.empty());
    browser.window.show();
    QCOMPARE(browser.folders_at_change.size(), 1U);
    QCOMPARE(browser.folders_at_change[0], drives / "c/work");
    browser.window.hide();
    browser.window.show();
    QCOMPARE(browser.folders_at_change.size(), 1U);
  }

  void SetDrive_data()
  {
    QTest::addColumn<char>("letter");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<char>("held");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("changes");
    QTest::addColumn<int>("reports");
    QTest::newRow("other drive") << 'd' << true << 'd' << "d" << 1 << 0;
    QTest::newRow("other drive, upper case") << 'D' << true << 'd' << "d" << 1 << 0;
    QTest::newRow("same drive") << 'c' << true << 'c' << "c/work" << 0 << 0;
    QTest::newRow("same drive, upper case") << 'C' << true << 'c' << "c/work" << 0 << 0;
    QTest::newRow("no such drive") << 'x' << false << 'c' << "c/work" << 0 << 1;
    QTest::newRow("not a letter") << '#' << false << 'c' << "c/work" << 0 << 1;
    QTest::newRow("root gone") << 'e' << false << 'c' << "c/work" << 0 << 1;
  }

  void SetDrive()
  {
    QFETCH(char, letter);
    QFETCH(bool, accepted);
    QFETCH(char, held);
    QFETCH(QString, folder);
    QFETCH(int, changes);
    QFETCH(int, reports);
    test::BrowserDrives drives;
    Browser browser(drives);

    QCOMPARE(browser.combo->SetDrive(letter), accepted);
    QCOMPARE(browser.combo->Drive(), held);
    QCOMPARE(browser.combo->currentIndex(), held - 'c');
    const std::string expected_folder = drives / folder.toStdString();
    QCOMPARE(browser.list->Directory(), expected_folder);
    QCOMPARE(CurrentFolder(), expected_folder);
    QCOMPARE(static_cast<int>(browser.folders_at_change.size()), changes);
    // The folder list was already on the new drive when the event ran.
    for (const std::string& seen : browser.folders_at_change)
    {
      QCOMPARE(seen, expected_folder);
    }
    QCOMPARE(static_cast<int>(drives.reports.size()), reports);
  }

  void BringsBackEachDrivesOwnFolder()
  {
    test::BrowserDrives drives;
    Browser browser(drives);
    browser.list->SetDirectory(drives / "c/work/a");
    QVERIFY(browser.combo->SetDrive('d'));
    browser.list->SetDirectory(drives / "d/out");
    QVERIFY(browser.combo->SetDrive('c'));
    QCOMPARE(browser.list->Directory(), drives / "c/work/a");
    QVERIFY(browser.combo->SetDrive('d'));
    QCOMPARE(browser.list->Directory(), drives / "d/out");
    QCOMPARE(browser.folders_at_change,
             (std::vector<std::string>{drives / "d", drives / "c/work/a", drives / "d/out"}));
  }

  void UserPickRaisesChangeOnceMore()
  {
    test::BrowserDrives drives;
    Browser browser(drives);
    browser.window.show();
    browser.folders_at_change.clear();
    browser.combo->setFocus();
    // Down on the closed drop-down picks the next drive, as a choice in the list does.
    QTest::keyClick(browser.combo, Qt::Key_Down);
    QCOMPARE(browser.combo->Drive(), 'd');
    QCOMPARE(browser.folders_at_change, (std::vector<std::string>{drives / "d", drives / "d"}));
  }

  void UserPickOfTheHeldDriveRaisesNothing()
  {
    test::BrowserDrives drives;
    Browser browser(drives);
    browser.window.show();
    browser.folders_at_change.clear();
    emit browser.combo->activated(browser.combo->currentIndex());
    QVERIFY(browser.folders_at_change.empty());
    QCOMPARE(browser.list->Directory(), drives / "c/work");
  }

  void UserPickOfADriveItCannotEnterStaysAndSaysSo()
  {
    test::BrowserDrives drives;
    Browser browser(drives);
    browser.window.show();
    browser.folders_at_change.clear();
    browser.combo->setCurrentIndex(2);
    emit browser.combo->activated(2);
    QCOMPARE(browser.combo->Drive(), 'c');
    QCOMPARE(browser.combo->currentIndex(), 0);
    QVERIFY(browser.folders_at_change.empty());
    QCOMPARE(drives.reports.size(), 1U);
    QVERIFY(drives.reports[0].contains(QLatin1String("e:")));
  }

  void DropDownReadsTheDrivesAgainAndKeepsTheMountHeld()
  {
    test::BrowserDrives drives;
    // A table in which a stick mounted before d's mount path shifts d to e on the next read.
    class ShiftingTable final : public DriveTable
    {
    public:
      explicit ShiftingTable(const test::BrowserDrives& where)
          : m_drives{{'c', where / "c", false}, {'d', where / "d", false}},
            m_after{{'c', where / "c", false},
                    {'d', where / "c/work/B", false},
                    {'e', where / "d", false}}
      {
      }
      const std::vector<vavizi::Drive>& Drives() override { return m_drives; }
      void Refresh() override { m_drives = m_after; }

    private:
      std::vector<vavizi::Drive> m_drives;
      std::vector<vavizi::Drive> m_after;
    } table(drives);
    DriveFolders folders(table);
    DriveComboBox combo(folders);
    DriveComboBox other(folders);
    QVERIFY(combo.SetDrive('d'));
    QVERIFY(other.SetDrive('d'));
    QSignalSpy changes(&combo, &DriveComboBox::Change);

    combo.showPopup();
    combo.hidePopup();
    QCOMPARE(combo.count(), 3);
    QCOMPARE(combo.Drive(), 'e');
    QCOMPARE(combo.currentIndex(), 2);
    QCOMPARE(changes.count(), 0);
    // The selector that did not drop down holds the same mount under its new letter too, and its
    // old item for it still leads there.
    QCOMPARE(other.Drive(), 'e');
    QSignalSpy other_changes(&other, &DriveComboBox::Change);
    emit other.activated(1);
    QCOMPARE(other_changes.count(), 0);
    QVERIFY(other.SetDrive('d'));
    QCOMPARE(other.Drive(), 'd');
    QCOMPARE(other_changes.count(), 1);
  }

  void WorksWithoutAFolderList()
  {
    test::BrowserDrives drives;
    DriveComboBox combo(drives.Folders());
    combo.SetFailureReport(drives.Recorder());
    QSignalSpy changes(&combo, &DriveComboBox::Change);
    QVERIFY(combo.SetDrive('d'));
    QVERIFY(!combo.SetDrive('e'));
    QCOMPARE(combo.Drive(), 'd');
    QCOMPARE(changes.count(), 1);
  }
};

}  // namespace vavizi

QTEST_MAIN(vavizi::DriveComboBoxTest)
#include "drive_combo_box_test.moc"
