// The main window and its handlers.
#include "Unit1.h"

#include "Unit2.h"
#include "application.h"
#include "form1_window_operations.h"
#include "ui_Unit1.h"

#include "core/conversion.h"
#include "core/file_selection.h"
#include "core/free_space.h"
#include "core/messages.h"
#include "core/posix_file_system.h"
#include "core/system_clock.h"
#include "core/window_state_file.h"
#include "platform/current_folder.h"
#include "platform/drive_space.h"
#include "platform/drive_table.h"
#include "platform/file_lookup.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>

#include <fstream>
#include <iterator>
#include <sstream>

TForm1* Form1 = nullptr;

namespace
{

constexpr int CLIENT_WIDTH = 680;
constexpr int CLIENT_HEIGHT = 356;

QFont WindowFont(int pixel_size)
{
  return vavizi::PixelFont(QStringLiteral("ＭＳ Ｐゴシック"), pixel_size);
}

}  // namespace

TForm1::TForm1(QWidget* parent) : TForm1(Services{}, parent) {}

TForm1::TForm1(const Services& services, QWidget* parent)
    : QMainWindow(parent),
      ui(new Ui::TForm1),
      m_files(services.files),
      m_clock(services.clock),
      m_drive_space(services.drive_space)
{
  if (!m_files)
  {
    m_own_files = std::make_unique<vavizi::PosixFileSystem>();
    m_files = m_own_files.get();
  }
  if (!m_clock)
  {
    m_own_clock = std::make_unique<vavizi::SystemClock>();
    m_clock = m_own_clock.get();
  }
  if (!m_drive_space)
  {
    m_own_drive_space = std::make_unique<vavizi::SystemDriveSpace>(vavizi::ProcessDriveTable());
    m_drive_space = m_own_drive_space.get();
  }
  m_window = std::make_unique<vavizi::Form1WindowOperations>(*this);

  ui->setupUi(this);
  ApplyFonts();
  ui->DriveComboBox1->SetDirList(ui->DirectoryListBox1);
  ui->DirectoryListBox1->SetFileList(ui->FileListBox1);
  ui->DriveComboBox2->SetDirList(ui->DirectoryListBox2);
  // Single border, fixed size, minimise box but no maximise box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(CLIENT_WIDTH, CLIENT_HEIGHT + menuBar()->sizeHint().height());
  // Centred on the screen when first shown; the saved position, if any, follows on the first paint.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
  setWindowIcon(QGuiApplication::windowIcon());
  m_title = vavizi::text::APP_TITLE;
  FormCreate();
}

TForm1::~TForm1()
{
  delete ui;
}

void TForm1::ApplyFonts()
{
  setFont(WindowFont(12));
  for (vavizi::Panel* panel :
       {ui->Panel6, ui->Panel8, ui->Panel10, ui->Panel12, ui->Panel13, ui->Panel14, ui->Panel16})
  {
    panel->setFont(WindowFont(12));
    QPalette palette = panel->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(palette);
  }
  ui->Button2->setFont(WindowFont(13));
  QPalette black = ui->Button2->palette();
  black.setColor(QPalette::ButtonText, Qt::black);
  ui->Button2->setPalette(black);
}

void TForm1::SetTitle(const std::string& title)
{
  m_title = title;
  // Desktops append the display name to every window's title: it is set only while it says more
  // than the program's name, so that idle windows show exactly their own captions.
  QGuiApplication::setApplicationDisplayName(
      title == vavizi::text::APP_TITLE ? QString() : QString::fromStdString(title));
}

vavizi::ConversionContext TForm1::Context()
{
  return {m_state, *m_window, *m_files, *m_clock};
}

void TForm1::Button1Click()
{
  vavizi::ConversionContext context = Context();
  vavizi::ConversionCommand(context);
}

void TForm1::Button2Click()
{
  ui->Button2->hide();
}

void TForm1::FormCreate()
{
  m_state.first_paint = 1;
  m_state.file_selected = 0;
  m_state.start_directory = ui->DirectoryListBox1->Directory();
  if (m_state.start_directory.empty() || m_state.start_directory.back() != '/')
    m_state.start_directory.push_back('/');
}

void TForm1::N3Click()
{
  AboutBox->show();
  AboutBox->raise();
  AboutBox->activateWindow();
}

void TForm1::K1Click()
{
  // Refused, silently, while a conversion runs.
  if (!ui->Button2->isHidden())
    return;
  close();
}

void TForm1::DirectoryListBox1DblClick()
{
  vavizi::ClearFileInformation(m_state, *m_window);
}

void TForm1::DriveComboBox1Change()
{
  vavizi::ClearFileInformation(m_state, *m_window);
  const std::int64_t figure =
      vavizi::FreeSpaceFigure(m_drive_space->FreeBytes(ui->DriveComboBox1->Drive()));
  ui->Panel13->SetText(vavizi::FreeSpaceText(figure));
}

void TForm1::DriveComboBox2Change()
{
  const std::int64_t figure =
      vavizi::FreeSpaceFigure(m_drive_space->FreeBytes(ui->DriveComboBox2->Drive()));
  m_state.destination_free_space = figure;
  ui->Panel14->SetText(vavizi::FreeSpaceText(figure));
}

void TForm1::FileListBox1Click()
{
  const std::string path = ui->FileListBox1->FileName();
  vavizi::SelectFile(m_state, *m_window, path,
                     path.empty() ? std::nullopt : vavizi::LookUpFile(path));
}

void TForm1::paintEvent(QPaintEvent* event)
{
  QMainWindow::paintEvent(event);
  FormPaint();
}

void TForm1::closeEvent(QCloseEvent* event)
{
  FormClose();
  event->accept();
}

void TForm1::FormClose()
{
  std::ofstream file(m_state.start_directory + vavizi::WINDOW_STATE_FILE_NAME,
                     std::ios::out | std::ios::trunc);
  if (!file)
    return;
  file << vavizi::FormatWindowState(
      x(), y(), {ui->DriveComboBox1->Drive(), ui->DirectoryListBox1->Directory()},
      {ui->DriveComboBox2->Drive(), ui->DirectoryListBox2->Directory()});
}

char TForm1::StartDirectoryDrive() const
{
  const auto drive = vavizi::ProcessDriveTable().DriveOf(std::string_view(m_state.start_directory));
  return drive ? drive->letter : 'c';
}

void TForm1::RestoreBrowser(vavizi::DriveComboBox* drives, vavizi::DirectoryListBox* folders,
                            char saved_drive, const std::string& saved_folder)
{
  // The drive letter is saved in lower case; one written otherwise names no drive.
  const char drive = static_cast<char>(saved_drive - 32);
  if (!m_drive_space->CanReport(drive))
    return;
  drives->SetDrive(drive);
  if (!vavizi::ChangeCurrentFolder(saved_folder))
    drives->SetDrive(StartDirectoryDrive());
  else
    folders->SetDirectory(saved_folder);
}

void TForm1::FormPaint()
{
  if (m_state.first_paint == 0)
    return;
  m_state.first_paint = 0;

  std::ifstream file(m_state.start_directory + vavizi::WINDOW_STATE_FILE_NAME);
  if (!file)
    return;
  const std::string content((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
  const auto saved = vavizi::ParseWindowState(content);
  if (!saved)
    return;

  move(saved->left, y());
  move(saved->left, saved->top);
  if (saved->source)
    RestoreBrowser(ui->DriveComboBox1, ui->DirectoryListBox1, saved->source->drive,
                   saved->source->folder);
  if (saved->destination)
    RestoreBrowser(ui->DriveComboBox2, ui->DirectoryListBox2, saved->destination->drive,
                   saved->destination->folder);
}
