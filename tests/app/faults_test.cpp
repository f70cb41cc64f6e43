// The main window when the files change under it: a source that shrinks, grows or is removed in
// the middle of a run, a destination folder removed between selection and start, a source removed
// after it was listed, and names the browsers must list and hand over byte for byte. After each the
// message, the files on disk and a window ready for the next conversion are checked.
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "application.h"
#include "ui_Unit1.h"
#include "ui_Unit3.h"
#include "window_test_support.h"

#include "core/cp932.h"
#include "core/keb_format.h"
#include "core/messages.h"
#include "platform/display_name.h"
#include "platform/drive_space.h"
#include "support/image_builder.h"
#include "widgets/directory_list_box.h"
#include "widgets/file_list_box.h"
#include "widgets/panel.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <functional>

using vavizi::testing::Bytes;
using vavizi::testing::ReadFile;
using vavizi::testing::ScriptedClock;
using vavizi::testing::WriteFile;

namespace
{

constexpr std::size_t DATA = 2048;
constexpr std::size_t SYSTEM_AREA = 16 * DATA;
// Larger than the 1 MiB a source stream reads ahead, so that a change to the file reaches the copy.
constexpr int SECTORS = 1200;
// The clock is read twice as the run starts and then once before each sector: reading 100 comes
// before sector 113 is read.
constexpr int CHANGE_AT_READING = 100;

class RoomyDrives : public vavizi::DriveSpace
{
public:
  std::int64_t FreeBytes(char) override { return 5'000'000'000'000; }
};

void AppendFile(const std::string& path, const Bytes& bytes)
{
  WriteFile(path, bytes, std::ios::app);
}

// The KEB image the window makes of `iso` with the description it offers by default.
Bytes KebOf(const Bytes& iso)
{
  const auto header =
      vavizi::keb::BuildHeader(vavizi::keb::Form::Plain, static_cast<std::uint32_t>(iso.size()),
                               vavizi::Utf8ToCp932(vavizi::text::DEFAULT_DESCRIPTION));
  Bytes keb(header.size() + iso.size() - SYSTEM_AREA);
  std::copy(header.begin(), header.end(), keb.begin());
  std::copy(iso.begin() + SYSTEM_AREA, iso.end(), keb.begin() + header.size());
  return keb;
}

bool IsPrefixOf(const Bytes& part, const Bytes& whole)
{
  return part.size() <= whole.size() && std::equal(part.begin(), part.end(), whole.begin());
}

QString Done(const std::string& path)
{
  return QStringLiteral("ﾌｧｲﾙ(%1)が出来ました").arg(QString::fromStdString(path));
}

QString CannotOpen(const std::string& path)
{
  return QStringLiteral("ﾌｧｲﾙ(%1)がｵｰﾌﾟﾝ出来ません").arg(QString::fromStdString(path));
}

const QString READ_ERROR = QStringLiteral("リードエラーです");
const QString NOTHING_SELECTED = QStringLiteral("ファイルが選択されていません");

}  // namespace

class FaultsTest : public QObject
{
  Q_OBJECT

private slots:
  void initTestCase();
  void init();
  void cleanup();

  void sourceChangesMidRun_data();
  void sourceChangesMidRun();
  void destinationFolderRemovedBeforeStart_data();
  void destinationFolderRemovedBeforeStart();
  void sourceRemovedAfterListing_data();
  void sourceRemovedAfterListing();
  void oddNamesInTheBrowsers_data();
  void oddNamesInTheBrowsers();

private:
  void SelectSource(const std::string& name);
  [[nodiscard]] int RowOf(const std::string& name) const;
  void Start() { QTest::mouseClick(Form1->ui->Button1, Qt::LeftButton); }
  [[nodiscard]] QString Message() const { return Form1->ui->Panel1->Text(); }
  // The window idle again, and a second conversion from it right.
  void CheckReadyForTheNextRun();

  QTemporaryDir m_dir;
  std::string m_in;
  std::string m_out;
  RoomyDrives m_drives;
  ScriptedClock m_clock;
  QTimer m_answerer;
};

void FaultsTest::initTestCase()
{
  vavizi::PrepareApplication(*qApp);
  m_in = m_dir.filePath("in").toStdString();
  m_out = m_dir.filePath("out").toStdString();
  // Every question is answered Yes, the description dialog with its default text.
  connect(&m_answerer, &QTimer::timeout, this,
          []
          {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
              box->button(QMessageBox::Yes)->click();
            else if (Form3 && Form3->isVisible())
              QTest::keyClick(Form3->ui->Edit1, Qt::Key_Return);
          });
  m_answerer.setInterval(5);
}

void FaultsTest::init()
{
  std::filesystem::remove_all(m_in);
  std::filesystem::remove_all(m_out);
  std::filesystem::create_directories(m_in);
  std::filesystem::create_directories(m_out);
  QDir::setCurrent(QString::fromStdString(m_in));
  m_clock = ScriptedClock();

  TForm1::Services services;
  services.clock = &m_clock;
  services.drive_space = &m_drives;
  vavizi::testing::OpenWindows(services);
  QVERIFY(QTest::qWaitForWindowExposed(Form1));
  Form1->ui->DirectoryListBox1->SetDirectory(m_in);
  Form1->ui->DirectoryListBox2->SetDirectory(m_out);
  m_answerer.start();
}

void FaultsTest::cleanup()
{
  m_answerer.stop();
  vavizi::testing::CloseWindows();
  QDir::setCurrent(QDir::tempPath());
}

int FaultsTest::RowOf(const std::string& name) const
{
  const vavizi::FileListBox* list = Form1->ui->FileListBox1;
  for (int row = 0; row < list->count(); ++row)
  {
    if (list->NameOfRow(row) == name)
      return row;
  }
  return -1;
}

void FaultsTest::SelectSource(const std::string& name)
{
  vavizi::FileListBox* list = Form1->ui->FileListBox1;
  list->Update();  // the files were written after the list was read
  const int row = RowOf(name);
  QVERIFY2(row >= 0, name.c_str());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(row)).center());
  QCOMPARE(list->FileName(), m_in + "/" + name);
}

void FaultsTest::CheckReadyForTheNextRun()
{
  QVERIFY(Form1->isEnabled());
  QVERIFY(Form1->ui->Button1->isEnabled());
  QVERIFY(Form1->ui->BitBtn1->isEnabled());
  QVERIFY(Form1->ui->Button2->isHidden());
  QCOMPARE(Form1->Title(), std::string("VAVIZI"));
  QVERIFY(!Form1->State().command_running);

  std::filesystem::create_directories(m_out);
  Form1->ui->DirectoryListBox1->SetDirectory(m_in);
  Form1->ui->DirectoryListBox2->SetDirectory(m_out);
  const Bytes iso = vavizi::testing::MakeIsoData(40);
  WriteFile(m_in + "/again.iso", iso);
  m_clock.on_reading = nullptr;
  SelectSource("again.iso");
  Start();
  QCOMPARE(Message(), Done(m_out + "/again.KEB"));
  QVERIFY(ReadFile(m_out + "/again.KEB") == KebOf(iso));
}

enum class Change
{
  Shrink,
  Grow,
  Remove,
};

Q_DECLARE_METATYPE(Change)

void FaultsTest::sourceChangesMidRun_data()
{
  QTest::addColumn<bool>("keb_source");
  QTest::addColumn<Change>("change");
  QTest::addColumn<int>("sectors_after");  // the source's length after the change, in 2048 bytes
  QTest::addColumn<bool>("read_error");    // the run must end in a read error

  QTest::newRow("ISO shrinks past what was read ahead") << false << Change::Shrink << 800 << true;
  QTest::newRow("ISO shrinks within what was read ahead") << false << Change::Shrink << 300 << true;
  QTest::newRow("ISO shrinks to nothing") << false << Change::Shrink << 0 << true;
  QTest::newRow("ISO grows") << false << Change::Grow << SECTORS + 500 << false;
  QTest::newRow("ISO is removed while open") << false << Change::Remove << SECTORS << false;
  QTest::newRow("KEB shrinks") << true << Change::Shrink << 800 << true;
  QTest::newRow("KEB grows") << true << Change::Grow << SECTORS + 500 << false;
  QTest::newRow("KEB is removed while open") << true << Change::Remove << SECTORS << false;
}

// The image a run makes is the source as it was measured at the start, or a read error: a header
// stating one size over data of another would be a half-truth. A shrunk source cannot give the
// sectors it was measured with; a grown one gives them and the rest is not copied; a file removed
// while open still reads in full.
void FaultsTest::sourceChangesMidRun()
{
  QFETCH(bool, keb_source);
  QFETCH(Change, change);
  QFETCH(int, sectors_after);
  QFETCH(bool, read_error);

  const Bytes iso = vavizi::testing::MakeIsoData(SECTORS);
  const Bytes original = keb_source ? KebOf(iso) : iso;
  const std::string name = keb_source ? "disc.keb" : "disc.iso";
  const std::string source = m_in + "/" + name;
  const std::string destination = m_out + (keb_source ? "/disc.ISO" : "/disc.KEB");
  WriteFile(source, original);
  const auto grown_by = static_cast<std::size_t>(sectors_after - SECTORS) * DATA;
  SelectSource(name);
  bool changed = false;
  m_clock.on_reading = [&](int reading)
  {
    if (reading != CHANGE_AT_READING)
      return;
    changed = true;
    if (change == Change::Shrink)
      std::filesystem::resize_file(source, static_cast<std::uintmax_t>(sectors_after) * DATA);
    else if (change == Change::Grow)
      AppendFile(source, vavizi::testing::Pattern(grown_by, 99));
    else
      std::filesystem::remove(source);
  };
  Start();
  QVERIFY(changed);

  // A KEB image of this ISO stores its system area as zeros, so the ISO comes back whole.
  const Bytes expected = keb_source ? iso : KebOf(iso);
  const Bytes written = ReadFile(destination);
  if (read_error)
  {
    QCOMPARE(Message(), READ_ERROR);
    QVERIFY2(written.size() < expected.size() && IsPrefixOf(written, expected),
             "the part written is not a start of the image as measured");
  }
  else
  {
    QCOMPARE(Message(), Done(destination));
    QVERIFY(written == expected);
  }
  QCOMPARE(std::filesystem::exists(source), change != Change::Remove);
  if (change == Change::Grow)
    QCOMPARE(std::filesystem::file_size(source), original.size() + grown_by);
  CheckReadyForTheNextRun();
}

void FaultsTest::destinationFolderRemovedBeforeStart_data()
{
  QTest::addColumn<bool>("keb_source");
  QTest::newRow("ISO to KEB") << false;
  QTest::newRow("KEB to ISO") << true;
}

void FaultsTest::destinationFolderRemovedBeforeStart()
{
  QFETCH(bool, keb_source);
  const Bytes iso = vavizi::testing::MakeIsoData(40);
  const Bytes keb = KebOf(iso);
  const std::string name = keb_source ? "disc.keb" : "disc.iso";
  const Bytes& source = keb_source ? keb : iso;
  WriteFile(m_in + "/" + name, source);
  SelectSource(name);
  std::filesystem::remove_all(m_out);

  Start();
  QCOMPARE(Message(), CannotOpen(m_out + (keb_source ? "/disc.ISO" : "/disc.KEB")));
  QVERIFY(!std::filesystem::exists(m_out));
  QVERIFY(ReadFile(m_in + "/" + name) == source);
  QCOMPARE(Form1->State().file_selected, 1);
  CheckReadyForTheNextRun();
}

enum class Removal
{
  ListedThenRemovedThenClicked,  // another file than the one the panels show
  SelectedThenRemoved,
  SelectedThenRemovedThenClickedAgain,
};

Q_DECLARE_METATYPE(Removal)

void FaultsTest::sourceRemovedAfterListing_data()
{
  QTest::addColumn<Removal>("removal");
  QTest::addColumn<QString>("message");
  QTest::addColumn<bool>("information_kept");

  QTest::newRow("listed, removed, clicked")
      << Removal::ListedThenRemovedThenClicked << NOTHING_SELECTED << false;
  QTest::newRow("selected, removed, started")
      << Removal::SelectedThenRemoved << CannotOpen(m_in + "/b.iso") << true;
  QTest::newRow("selected, removed, clicked again")
      << Removal::SelectedThenRemovedThenClickedAgain << CannotOpen(m_in + "/b.iso") << true;
}

void FaultsTest::sourceRemovedAfterListing()
{
  QFETCH(Removal, removal);
  QFETCH(QString, message);
  QFETCH(bool, information_kept);

  const Bytes a = vavizi::testing::MakeIsoData(20);
  WriteFile(m_in + "/a.iso", a);
  WriteFile(m_in + "/b.iso", vavizi::testing::MakeIsoData(30));
  SelectSource(removal == Removal::ListedThenRemovedThenClicked ? "a.iso" : "b.iso");
  std::filesystem::remove(m_in + "/b.iso");
  if (removal != Removal::SelectedThenRemoved)
  {
    vavizi::FileListBox* list = Form1->ui->FileListBox1;
    const int row = RowOf("b.iso");
    QVERIFY(row >= 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
  }
  QCOMPARE(Form1->ui->Panel6->Text().isEmpty(), !information_kept);

  Start();
  QCOMPARE(Message(), message);
  QVERIFY(std::filesystem::is_empty(m_out));
  QVERIFY(ReadFile(m_in + "/a.iso") == a);
  CheckReadyForTheNextRun();
}

void FaultsTest::oddNamesInTheBrowsers_data()
{
  QTest::addColumn<QByteArray>("name");         // the source's name on disk
  QTest::addColumn<bool>("listed");             // the file list offers it
  QTest::addColumn<QByteArray>("destination");  // below the destination folder; empty for none
  QTest::addColumn<QString>("message");         // for a run that makes no destination

  QTest::newRow("CP932 name") << QByteArray("\x83\x66\x83\x42\x83\x58\x83\x4E.iso") << true
                              << QByteArray("\x83\x66\x83\x42\x83\x58\x83\x4E.KEB") << QString();
  QTest::newRow("CP932 name with a 0x5C byte")
      << QByteArray("\x95\x5C.iso") << true << QByteArray("\x95\x5C.KEB") << QString();
  QTest::newRow("spaces") << QByteArray(" my disc .iso") << true << QByteArray(" my disc .KEB")
                          << QString();
  QTest::newRow("several dots") << QByteArray("disc.old.iso") << true << QByteArray()
                                << QStringLiteral("拡張子(.OLD.ISO)は違っています");
  QTest::newRow("no dot") << QByteArray("disc") << false << QByteArray() << QString();
  QTest::newRow("leading dot") << QByteArray(".iso") << false << QByteArray() << QString();
  QTest::newRow("folder named like an image")
      << QByteArray("x.iso") << false << QByteArray() << QString();
}

// The file list offers the plain, visible files its mask matches and hands the selected name over
// as the bytes on disk; a destination folder with a dot in its name is a folder like any other.
// The message shows the destination's path as the browsers show names: decoded, never as U+FFFD.
void FaultsTest::oddNamesInTheBrowsers()
{
  QFETCH(QByteArray, name);
  QFETCH(bool, listed);
  QFETCH(QByteArray, destination);
  QFETCH(QString, message);

  const std::string source = m_in + "/" + name.toStdString();
  const std::string out = m_out + "/OUT.2";
  std::filesystem::create_directories(out);
  const Bytes iso = vavizi::testing::MakeIsoData(40);
  if (name == "x.iso")
    std::filesystem::create_directories(source);
  else
    WriteFile(source, iso);
  Form1->ui->DirectoryListBox2->SetDirectory(out);
  Form1->ui->FileListBox1->Update();
  if (!listed)
  {
    QCOMPARE(RowOf(name.toStdString()), -1);
    QCOMPARE(Form1->ui->FileListBox1->count(), 0);
    return;
  }
  SelectSource(name.toStdString());
  QCOMPARE(Form1->ui->FileListBox1->count(), 1);

  Start();
  if (destination.isEmpty())
  {
    QCOMPARE(Message(), message);
    QVERIFY(std::filesystem::is_empty(out));
  }
  else
  {
    const std::string path = out + "/" + destination.toStdString();
    QVERIFY(ReadFile(path) == KebOf(iso));
    const QString shown = QStringLiteral("ﾌｧｲﾙ(%1)が出来ました").arg(vavizi::DisplayName(path));
    QCOMPARE(Message(), shown);
  }
  QVERIFY(ReadFile(source) == iso);
  CheckReadyForTheNextRun();
}

QTEST_MAIN(FaultsTest)
#include "faults_test.moc"
