// The main window under a storm of input during one long conversion: a seeded stream of clicks on
// every button and menu command, keys, folder and drive changes on both browsers, file selections
// and double-clicks, the version dialog opened and closed, and at most one press of the close box.
// Every run must still convert exactly once, write the right image (or a whole-sector prefix of it
// when the abort button was hit), save the window state when closed, and leave the window idle.
//
// Each row prints its seed; VAVIZI_STRESS_SEED=<seed> runs that seed alone, and
// VAVIZI_STRESS_RUNS=<n> runs n seeds instead of the usual 20.
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "application.h"
#include "ui_Unit1.h"
#include "ui_Unit2.h"
#include "ui_Unit3.h"
#include "window_test_support.h"

#include "core/keb_format.h"
#include "core/messages.h"
#include "core/posix_file_system.h"
#include "core/window_state_file.h"
#include "support/image_builder.h"
#include "widgets/directory_list_box.h"
#include "widgets/drive_combo_box.h"
#include "widgets/file_list_box.h"
#include "widgets/panel.h"

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <fstream>
#include <functional>
#include <random>
#include <set>

using vavizi::testing::Bytes;
using vavizi::testing::ReadFile;
using vavizi::testing::ScriptedClock;
using vavizi::testing::WriteFile;

namespace
{

constexpr int IMAGE_SECTORS = 3000;
constexpr int DEFAULT_RUNS = 20;
constexpr const char* DESCRIPTION = "stress test";
// One reading in this many runs an action of the stream.
constexpr int ACTION_EVERY = 6;
// The abort button is pressed by about one run in four.
constexpr double ABORT_CHANCE_PER_RUN = 0.25;

// The real files, with every open counted: a second conversion would open its source again.
class CountingFileSystem : public vavizi::FileSystem
{
public:
  std::unique_ptr<vavizi::File> OpenRead(const std::string& path) override
  {
    reads.push_back(path);
    return m_files.OpenRead(path);
  }
  std::unique_ptr<vavizi::File> OpenWrite(const std::string& path) override
  {
    writes.push_back(path);
    return m_files.OpenWrite(path);
  }
  bool Exists(const std::string& path) override { return m_files.Exists(path); }
  bool IsLinked(const std::string& path) override { return m_files.IsLinked(path); }
  bool Remove(const std::string& path) override { return m_files.Remove(path); }
  std::optional<vavizi::FileIdentity> IdentityOf(const std::string& path) override
  {
    return m_files.IdentityOf(path);
  }
  std::int64_t FreeBytes(const std::string& folder) override { return m_files.FreeBytes(folder); }

  std::vector<std::string> reads;
  std::vector<std::string> writes;

private:
  vavizi::PosixFileSystem m_files;
};

std::set<QString> FilesUnder(const QString& root)
{
  std::set<QString> files;
  QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext())
    files.insert(QDir(root).relativeFilePath(it.next()));
  return files;
}

QtMessageHandler previous_handler = nullptr;

// The offscreen platform cannot raise a window, and says so each time the version command raises
// its dialog: hundreds of lines that hide what matters.
void DropRaiseWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
  if (message == QStringLiteral("This plugin does not support raise()"))
    return;
  previous_handler(type, context, message);
}

// The shown windows that keep the event loop running: Qt ends it when the last visible top-level
// window that quits on close and has no transient parent is closed.
QStringList WindowsKeepingTheProgramOpen()
{
  QStringList names;
  for (QWidget* window : QApplication::topLevelWidgets())
  {
    const bool secondary = window->windowHandle() && window->windowHandle()->transientParent();
    if (window->isVisible() && window->testAttribute(Qt::WA_QuitOnClose) && !secondary)
      names << window->objectName();
  }
  return names;
}

quint64 SeedFromEnvironment(const char* name, bool* found)
{
  return qEnvironmentVariable(name).toULongLong(found);
}

}  // namespace

class StressTest : public QObject
{
  Q_OBJECT

private slots:
  void initTestCase();
  void cleanup();
  void stream_data();
  void stream();

private:
  // One action of the stream, chosen by the generator.
  void Act();
  void PressKey();
  void ClickRow(QListWidget* list, int row, bool twice);
  void ChangeSourceFolder();
  void ChangeDestinationFolder();
  void PickDrive(vavizi::DriveComboBox* combo);
  // Whether opening `folder` keeps the browsers among the test's own folders and the folders
  // above them (the other drives of the machine are not the test's to walk through).
  [[nodiscard]] bool OwnFolder(const std::string& folder) const;
  [[nodiscard]] QString Message() const { return Form1->ui->Panel1->Text(); }

  QTemporaryDir m_dir;
  QString m_root;
  QString m_work;
  QStringList m_sources;
  QStringList m_destinations;
  Bytes m_expected;

  CountingFileSystem m_files;
  ScriptedClock m_clock;
  QTimer m_answerer;
  QStringList m_boxes;
  std::mt19937_64 m_random;
  bool m_abort_allowed = false;
  bool m_aborted = false;
  bool m_closed = false;
  std::optional<vavizi::WindowState> m_state_at_close;
  QStringList m_log;
};

void StressTest::initTestCase()
{
  vavizi::PrepareApplication(*qApp);
  previous_handler = qInstallMessageHandler(DropRaiseWarnings);
  QVERIFY(m_dir.isValid());
  m_root = m_dir.path();
  m_work = m_dir.filePath("work");
  m_sources = {m_dir.filePath("in"), m_dir.filePath("in/deeper"), m_dir.filePath("more")};
  m_destinations = {m_dir.filePath("out"), m_dir.filePath("out 2"), m_dir.filePath("in")};
  QDir().mkpath(m_work);
  for (const QString& folder : m_sources + m_destinations)
    QDir().mkpath(folder);

  const Bytes iso = vavizi::testing::MakeIsoData(IMAGE_SECTORS);
  WriteFile(m_dir.filePath("in/disc.iso"), iso);
  // Other files to select and double-click while the run goes on.
  WriteFile(m_dir.filePath("in/small.iso"), vavizi::testing::MakeIsoData(20));
  WriteFile(m_dir.filePath("in/other.keb"),
            vavizi::testing::MakeKebImage(vavizi::testing::Pattern(8 * 2048, 3)));
  WriteFile(m_dir.filePath("in/deeper/raw.img"), Bytes(2352 * 20, 7));
  WriteFile(m_dir.filePath("more/a.ISO"), vavizi::testing::MakeIsoData(20));
  WriteFile(m_dir.filePath("more/b.KEB"), Bytes(1000, 1));
  WriteFile(m_dir.filePath("more/notes.txt"), Bytes(10, 'x'));

  const auto header = vavizi::keb::BuildHeader(vavizi::keb::Form::Plain,
                                               static_cast<std::uint32_t>(iso.size()), DESCRIPTION);
  m_expected.assign(header.begin(), header.end());
  m_expected.insert(m_expected.end(), iso.begin() + 16 * 2048, iso.end());

  connect(&m_answerer, &QTimer::timeout, this,
          [this]
          {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            {
              // No question is due: the destination is new and a CD image asks none of its own.
              m_boxes << box->text();
              if (QAbstractButton* no = box->button(QMessageBox::No))
                no->click();
              else
                box->reject();
            }
            else if (Form3 && Form3->isVisible())
            {
              Form3->ui->Edit1->setText(QString::fromUtf8(DESCRIPTION));
              QTest::keyClick(Form3->ui->Edit1, Qt::Key_Return);
            }
          });
  m_answerer.setInterval(5);
}

void StressTest::cleanup()
{
  m_answerer.stop();
  vavizi::testing::CloseWindows();
  QDir::setCurrent(QDir::tempPath());
  QFile::remove(m_work + "/VAVIZI.SAV");
  for (const QString& folder : m_destinations)
  {
    QFile::remove(folder + "/disc.KEB");
  }
}

void StressTest::stream_data()
{
  QTest::addColumn<quint64>("seed");
  bool given = false;
  const quint64 seed = SeedFromEnvironment("VAVIZI_STRESS_SEED", &given);
  if (given)
  {
    QTest::addRow("seed %llu", static_cast<unsigned long long>(seed)) << seed;
    return;
  }
  bool counted = false;
  int runs = qEnvironmentVariableIntValue("VAVIZI_STRESS_RUNS", &counted);
  if (!counted || runs <= 0)
    runs = DEFAULT_RUNS;
  for (int i = 1; i <= runs; ++i)
  {
    const quint64 row_seed = 7919ULL * static_cast<quint64>(i);
    QTest::addRow("seed %llu", static_cast<unsigned long long>(row_seed)) << row_seed;
  }
}

bool StressTest::OwnFolder(const std::string& folder) const
{
  const QString path = QDir::cleanPath(QString::fromStdString(folder));
  const QString root = QDir::cleanPath(m_root);
  const bool inside = path == root || path.startsWith(root + "/");
  const bool above = path == "/" || root.startsWith(path + "/");
  return inside || above;
}

void StressTest::ClickRow(QListWidget* list, int row, bool twice)
{
  QListWidgetItem* item = list->item(row);
  if (!item)
    return;
  list->scrollToItem(item);
  const QPoint centre = list->visualItemRect(item).center();
  if (twice)
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
  else
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
}

void StressTest::PressKey()
{
  // The key goes where the person looks: the version dialog while it is in front, else the main
  // window's focused control (offscreen, a hidden dialog leaves no window active).
  QWidget* window = AboutBox->isVisible() && QApplication::activeWindow() == AboutBox
                        ? static_cast<QWidget*>(AboutBox)
                        : static_cast<QWidget*>(Form1);
  QWidget* target = window->focusWidget() ? window->focusWidget() : window;
  std::vector<Qt::Key> keys = {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Backtab};
  if (auto* folders = qobject_cast<vavizi::DirectoryListBox*>(target))
  {
    // Return opens the current entry: only where the test may go.
    if (!OwnFolder(folders->FolderOfRow(folders->currentRow())))
      keys.erase(keys.begin());
  }
  // Letters and arrows on a drive selector would pick drives that are not the test's.
  if (!qobject_cast<QComboBox*>(target))
  {
    keys.insert(keys.end(), {Qt::Key_Up, Qt::Key_Down});
    for (char letter : {'a', 'b', 'd', 'i', 'm', 'o', 'o', 's'})
      keys.push_back(static_cast<Qt::Key>(Qt::Key_A + (letter - 'a')));
  }
  const Qt::Key key =
      keys[std::uniform_int_distribution<std::size_t>(0, keys.size() - 1)(m_random)];
  m_log
      << QStringLiteral("key %1 to %2").arg(static_cast<int>(key), 0, 16).arg(target->objectName());
  QTest::keyClick(target, key);
}

void StressTest::ChangeSourceFolder()
{
  vavizi::DirectoryListBox* folders = Form1->ui->DirectoryListBox1;
  if (std::bernoulli_distribution(0.5)(m_random))
  {
    const QString folder =
        m_sources[std::uniform_int_distribution<qsizetype>(0, m_sources.size() - 1)(m_random)];
    m_log << "source folder " + folder;
    folders->SetDirectory(folder.toStdString());
    return;
  }
  // A double click on an entry, as a person opens a folder.
  std::vector<int> rows;
  for (int row = 0; row < folders->count(); ++row)
  {
    if (OwnFolder(folders->FolderOfRow(row)))
      rows.push_back(row);
  }
  if (rows.empty())
    return;
  const int row = rows[std::uniform_int_distribution<std::size_t>(0, rows.size() - 1)(m_random)];
  m_log << QStringLiteral("source folder row %1").arg(row);
  ClickRow(folders, row, true);
}

void StressTest::ChangeDestinationFolder()
{
  const QString folder = m_destinations[std::uniform_int_distribution<qsizetype>(
      0, m_destinations.size() - 1)(m_random)];
  m_log << "destination folder " + folder;
  Form1->ui->DirectoryListBox2->SetDirectory(folder.toStdString());
}

void StressTest::PickDrive(vavizi::DriveComboBox* combo)
{
  if (std::bernoulli_distribution(0.5)(m_random))
  {
    m_log << "drive change " + combo->objectName();
    emit combo->Change();
    return;
  }
  // A pick from the drop-down, among the drives that hold the test's folders.
  std::vector<int> items;
  for (int i = 0; i < combo->count(); ++i)
  {
    const QString text = combo->itemText(i);
    const QString root = text.mid(text.indexOf(' ') + 1);
    if (OwnFolder(root.toStdString()))
      items.push_back(i);
  }
  if (items.empty())
    return;
  const int item = items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(m_random)];
  m_log << QStringLiteral("drive pick %1 %2").arg(combo->objectName(), combo->itemText(item));
  combo->setCurrentIndex(item);
  emit combo->activated(item);
}

void StressTest::Act()
{
  Ui::TForm1& ui = *Form1->ui;
  enum Action
  {
    START,
    CLOSE_BUTTON,
    EXIT_COMMAND,
    VERSION_COMMAND,
    VERSION_OK,
    VERSION_KEY,
    VERSION_CLOSE,
    KEY,
    SOURCE_FOLDER,
    DESTINATION_FOLDER,
    SOURCE_DRIVE,
    DESTINATION_DRIVE,
    FILE_CLICK,
    FILE_DOUBLE_CLICK,
  };
  static const std::vector<std::pair<Action, int>> weights = {
      {START, 4},         {CLOSE_BUTTON, 3},       {EXIT_COMMAND, 3},  {VERSION_COMMAND, 3},
      {VERSION_OK, 1},    {VERSION_KEY, 1},        {VERSION_CLOSE, 1}, {KEY, 12},
      {SOURCE_FOLDER, 4}, {DESTINATION_FOLDER, 3}, {SOURCE_DRIVE, 2},  {DESTINATION_DRIVE, 2},
      {FILE_CLICK, 6},    {FILE_DOUBLE_CLICK, 4},
  };
  std::vector<int> weight_list;
  for (const auto& [action, weight] : weights)
    weight_list.push_back(weight);
  const Action action = weights[std::discrete_distribution<std::size_t>(
                                    weight_list.begin(), weight_list.end())(m_random)]
                            .first;

  switch (action)
  {
    case START:
      m_log << "Button1";
      QTest::mouseClick(ui.Button1, Qt::LeftButton);
      break;
    case CLOSE_BUTTON:
      m_log << "BitBtn1";
      QTest::mouseClick(ui.BitBtn1, Qt::LeftButton);
      break;
    case EXIT_COMMAND:
      m_log << "K1";
      ui.K1->trigger();
      break;
    case VERSION_COMMAND:
      m_log << "N3";
      ui.N3->trigger();
      break;
    case VERSION_OK:
      if (AboutBox->isVisible())
      {
        m_log << "version OK";
        QTest::mouseClick(AboutBox->ui->OKButton, Qt::LeftButton);
      }
      break;
    case VERSION_KEY:
      if (AboutBox->isVisible())
      {
        m_log << "version Return";
        QTest::keyClick(AboutBox, Qt::Key_Return);
      }
      break;
    case VERSION_CLOSE:
      m_log << "version close";
      AboutBox->close();
      break;
    case KEY:
      PressKey();
      break;
    case SOURCE_FOLDER:
      ChangeSourceFolder();
      break;
    case DESTINATION_FOLDER:
      ChangeDestinationFolder();
      break;
    case SOURCE_DRIVE:
      PickDrive(ui.DriveComboBox1);
      break;
    case DESTINATION_DRIVE:
      PickDrive(ui.DriveComboBox2);
      break;
    case FILE_CLICK:
    case FILE_DOUBLE_CLICK:
    {
      vavizi::FileListBox* files = ui.FileListBox1;
      if (files->count() == 0)
        break;
      const int row = std::uniform_int_distribution<int>(0, files->count() - 1)(m_random);
      m_log << QStringLiteral("file %1 %2")
                   .arg(action == FILE_CLICK ? "click" : "double-click", files->item(row)->text());
      ClickRow(files, row, action == FILE_DOUBLE_CLICK);
      break;
    }
  }
}

void StressTest::stream()
{
  QFETCH(quint64, seed);
  m_random.seed(seed);
  m_files.reads.clear();
  m_files.writes.clear();
  m_clock = ScriptedClock();
  m_boxes.clear();
  m_log.clear();
  m_aborted = false;
  m_closed = false;
  m_state_at_close.reset();
  const std::set<QString> files_before = FilesUnder(m_root);

  // The window starts in its own folder, where its state file lands.
  QDir::setCurrent(m_work);
  TForm1::Services services;
  services.files = &m_files;
  services.clock = &m_clock;
  vavizi::testing::OpenWindows(services);
  QVERIFY(QTest::qWaitForWindowExposed(Form1));
  const QString state_file = QString::fromStdString(Form1->State().start_directory) + "VAVIZI.SAV";
  QCOMPARE(QFileInfo(state_file).absolutePath(), QFileInfo(m_work + "/x").absolutePath());

  const QString out = m_destinations.front();
  Form1->ui->DirectoryListBox2->SetDirectory(out.toStdString());
  Form1->ui->DirectoryListBox1->SetDirectory(m_sources.front().toStdString());
  const auto items = Form1->ui->FileListBox1->findItems("disc.iso", Qt::MatchExactly);
  QCOMPARE(items.size(), 1);
  ClickRow(Form1->ui->FileListBox1, Form1->ui->FileListBox1->row(items[0]), false);
  const QString destination = out + "/disc.KEB";

  // Where the stream may press the abort button and the close box (never, for many seeds).
  const int readings = IMAGE_SECTORS - 16 + 2;
  std::uniform_int_distribution<int> any_reading(1, readings);
  const int abort_at =
      std::bernoulli_distribution(ABORT_CHANCE_PER_RUN)(m_random) ? any_reading(m_random) : 0;
  const int close_at = std::bernoulli_distribution(0.5)(m_random) ? any_reading(m_random) : 0;
  qInfo(
      "seed %llu (VAVIZI_STRESS_SEED=%llu runs it alone): abort button at reading %d, close box "
      "at reading %d (0: never)",
      static_cast<unsigned long long>(seed), static_cast<unsigned long long>(seed), abort_at,
      close_at);
  m_clock.on_reading = [&](int reading)
  {
    // The person has no window to act on once it is closed.
    if (m_closed)
      return;
    if (reading == close_at)
    {
      m_state_at_close =
          vavizi::WindowState{Form1->x(), Form1->y(),
                              vavizi::BrowserState{Form1->ui->DriveComboBox1->Drive(),
                                                   Form1->ui->DirectoryListBox1->Directory()},
                              vavizi::BrowserState{Form1->ui->DriveComboBox2->Drive(),
                                                   Form1->ui->DirectoryListBox2->Directory()}};
      m_log << "close box";
      m_closed = true;
      Form1->close();
      return;
    }
    if (reading == abort_at)
    {
      m_log << "Button2";
      m_aborted = true;
      QTest::mouseClick(Form1->ui->Button2, Qt::LeftButton);
      return;
    }
    if (std::uniform_int_distribution<int>(1, ACTION_EVERY)(m_random) == 1)
      Act();
  };

  m_answerer.start();
  QTest::mouseClick(Form1->ui->Button1, Qt::LeftButton);
  m_answerer.stop();
  m_clock.on_reading = nullptr;
  QCoreApplication::processEvents();

  const auto explain = qScopeGuard(
      [&]
      {
        if (QTest::currentTestFailed() || qEnvironmentVariableIsSet("VAVIZI_STRESS_LOG"))
          qInfo("seed %llu, actions: %s", static_cast<unsigned long long>(seed),
                qPrintable(m_log.join("; ")));
      });

  QCOMPARE(m_boxes, QStringList());
  // Exactly one conversion: one source opened, one destination created (opened twice by the
  // routine that makes sure it writes a new file).
  QStringList reads;
  for (const std::string& read : m_files.reads)
    reads << QString::fromStdString(read);
  QCOMPARE(reads, QStringList{m_sources.front() + "/disc.iso"});
  for (const std::string& written : m_files.writes)
    QCOMPARE(QString::fromStdString(written), destination);

  const Bytes image = ReadFile(destination);
  if (m_aborted)
  {
    QCOMPARE(Message(), QStringLiteral("変換を中止しました"));
    QVERIFY(image.size() >= 512 && image.size() < m_expected.size());
    QCOMPARE((image.size() - 512) % 2048, std::size_t{0});
    QVERIFY(std::equal(image.begin(), image.end(), m_expected.begin()));
  }
  else
  {
    QCOMPARE(Message(), QStringLiteral("ﾌｧｲﾙ(%1)が出来ました").arg(destination));
    QCOMPARE(image.size(), m_expected.size());
    QVERIFY(image == m_expected);
    QCOMPARE(Form1->State().file_selected, 0);
  }

  std::set<QString> files_after = FilesUnder(m_root);
  files_after.erase(QDir(m_root).relativeFilePath(destination));
  if (m_closed)
  {
    QVERIFY(!Form1->isVisible());
    QVERIFY(files_after.erase(QDir(m_root).relativeFilePath(state_file)) == 1);
    std::ifstream saved(state_file.toStdString());
    const std::string content((std::istreambuf_iterator<char>(saved)),
                              std::istreambuf_iterator<char>());
    const auto state = vavizi::ParseWindowState(content);
    QVERIFY(state && state->source && state->destination);
    QCOMPARE(state->left, m_state_at_close->left);
    QCOMPARE(state->top, m_state_at_close->top);
    QCOMPARE(state->source->drive, m_state_at_close->source->drive);
    QCOMPARE(QString::fromStdString(state->source->folder),
             QString::fromStdString(m_state_at_close->source->folder));
    QCOMPARE(state->destination->drive, m_state_at_close->destination->drive);
    QCOMPARE(QString::fromStdString(state->destination->folder),
             QString::fromStdString(m_state_at_close->destination->folder));
    // The program ends once the main window is closed and the command has returned, whatever
    // other window is still shown.
    QCOMPARE(WindowsKeepingTheProgramOpen(), QStringList());
  }
  QCOMPARE(files_after, files_before);

  // Idle again.
  QVERIFY(Form1->ui->Button1->isEnabled());
  QVERIFY(Form1->ui->BitBtn1->isEnabled());
  QVERIFY(Form1->ui->Button2->isHidden());
  QVERIFY(Form1->isEnabled());
  QCOMPARE(Form1->Title(), std::string("VAVIZI"));
  QCOMPARE(Form1->ui->Panel16->Text(), QString());
  QVERIFY(!QApplication::overrideCursor());
  QVERIFY(!Form1->State().command_running);
}

QTEST_MAIN(StressTest)
#include "stress_test.moc"
