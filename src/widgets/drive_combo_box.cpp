// The drive selector over the platform's drive table and per-drive current folders.
#include "widgets/drive_combo_box.h"

#include "platform/current_folder.h"
#include "platform/display_name.h"
#include "platform/folder_listing.h"
#include "widgets/directory_list_box.h"

#include <QStyle>

namespace vavizi
{
namespace
{

char LowerLetter(char letter)
{
  return (letter >= 'A' && letter <= 'Z') ? static_cast<char>(letter - 'A' + 'a') : letter;
}

// Items carry their drive's root: letters may shift when the table is read again.
QVariant RootData(const std::string& root)
{
  return QByteArray(root.data(), static_cast<qsizetype>(root.size()));
}

}  // namespace

DriveComboBox::DriveComboBox(QWidget* parent) : DriveComboBox(ProcessDriveFolders(), parent) {}

DriveComboBox::DriveComboBox(DriveFolders& folders, QWidget* parent)
    : QComboBox(parent), m_folders(folders)
{
  FillItems();
  AdoptDriveOf(CurrentFolder());
  connect(this, &QComboBox::activated, this, &DriveComboBox::OnActivated);
}

QString DriveComboBox::DriveText(const vavizi::Drive& drive)
{
  return QStringLiteral("%1: %2").arg(QString(QLatin1Char(drive.letter)), DisplayName(drive.root));
}

char DriveComboBox::Drive() const
{
  for (const vavizi::Drive& drive : m_folders.Drives().Drives())
  {
    if (drive.root == m_root)
    {
      return drive.letter;
    }
  }
  return m_letter;
}

bool DriveComboBox::SetDrive(char letter)
{
  const char wanted = LowerLetter(letter);
  if (wanted == Drive())
  {
    return true;
  }
  std::optional<vavizi::Drive> drive = m_folders.Drives().DriveOf(wanted);
  if (!drive)
  {
    // It may have been mounted since the list was read.
    m_folders.Drives().Refresh();
    FillItems();
    drive = m_folders.Drives().DriveOf(wanted);
  }
  if (!drive)
  {
    ReportFailure(wanted);
    return false;
  }
  if (drive->root == m_root)
  {
    return true;
  }

  const std::string folder = m_folders.FolderOf(drive->letter);
  const std::string previous_root = m_root;
  const char previous_letter = m_letter;
  // Held before the folder list moves, so the list sees its selector already on the new drive.
  m_root = drive->root;
  m_letter = drive->letter;
  const bool entered = m_dir_list != nullptr ? m_dir_list->Enter(folder) : IsFolder(folder);
  if (!entered)
  {
    m_root = previous_root;
    m_letter = previous_letter;
    ReportFailure(wanted);
    return false;
  }
  SelectHeldItem();
  emit Change();
  return true;
}

void DriveComboBox::SetDirList(DirectoryListBox* list)
{
  if (m_dir_list == list)
  {
    return;
  }
  DirectoryListBox* old_list = m_dir_list;
  m_dir_list = list;
  if (old_list != nullptr && old_list->m_drive_combo == this)
  {
    old_list->m_drive_combo = nullptr;
  }
  if (list != nullptr)
  {
    if (list->m_drive_combo != nullptr && list->m_drive_combo != this)
    {
      list->m_drive_combo->m_dir_list = nullptr;
    }
    list->m_drive_combo = this;
    AdoptDriveOf(list->Directory());
  }
}

void DriveComboBox::showPopup()
{
  m_folders.Drives().Refresh();
  FillItems();
  QComboBox::showPopup();
}

void DriveComboBox::showEvent(QShowEvent* event)
{
  QComboBox::showEvent(event);
  if (!m_start_reported)
  {
    m_start_reported = true;
    emit Change();
  }
}

void DriveComboBox::FillItems()
{
  const QSignalBlocker blocker(this);
  clear();
  const QIcon disk_icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
  const QIcon disc_icon = style()->standardIcon(QStyle::SP_DriveCDIcon);
  for (const vavizi::Drive& drive : m_folders.Drives().Drives())
  {
    addItem(drive.read_only ? disc_icon : disk_icon, DriveText(drive), RootData(drive.root));
  }
  SelectHeldItem();
}

void DriveComboBox::SelectHeldItem()
{
  const QSignalBlocker blocker(this);
  setCurrentIndex(findData(RootData(m_root)));
}

void DriveComboBox::ReportFailure(char letter)
{
  SelectHeldItem();
  m_report(this, QStringLiteral("ドライブ %1: に切り替えられません。").arg(QLatin1Char(letter)));
}

void DriveComboBox::OnActivated(int index)
{
  const std::string root = itemData(index).toByteArray().toStdString();
  if (root == m_root)
  {
    return;
  }
  std::optional<char> letter;
  for (const vavizi::Drive& drive : m_folders.Drives().Drives())
  {
    if (drive.root == root)
    {
      letter = drive.letter;
    }
  }
  if (!letter)
  {
    // Unmounted since the list was filled.
    ReportFailure(itemText(index).isEmpty() ? '?'
                                            : static_cast<char>(itemText(index)[0].unicode()));
    return;
  }
  // A pick reports the new drive once more after the change itself; nothing if it failed.
  if (SetDrive(*letter))
  {
    emit Change();
  }
}

void DriveComboBox::AdoptDriveOf(const std::string& folder)
{
  std::optional<vavizi::Drive> drive = m_folders.Drives().DriveOf(std::string_view(folder));
  if (!drive && !m_folders.Drives().Drives().empty())
  {
    drive = m_folders.Drives().Drives().front();
  }
  if (drive)
  {
    m_root = drive->root;
    m_letter = drive->letter;
  }
  SelectHeldItem();
}

}  // namespace vavizi
