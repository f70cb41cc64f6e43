// The drive selector over the platform's drive table and per-drive current folders.
#include "widgets/drive_combo_box.h"

#include "platform/current_folder.h"
#include "platform/display_name.h"
#include "platform/folder_listing.h"
#include "widgets/directory_list_box.h"

#include <QApplication>
#include <QStyle>

namespace vavizi
{
namespace
{

char LowerLetter(char letter)
{
  return (letter >= 'A' && letter <= 'Z') ? static_cast<char>(letter - 'A' + 'a') : letter;
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

bool DriveComboBox::SetDrive(char letter)
{
  const char wanted = LowerLetter(letter);
  if (wanted == m_drive)
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
  const QString failure =
      QStringLiteral("ドライブ %1: に切り替えられません。").arg(QLatin1Char(wanted));
  if (!drive)
  {
    SelectHeldItem();
    m_report(this, failure);
    return false;
  }

  const std::string folder = m_folders.FolderOf(wanted);
  const char previous = m_drive;
  // Held before the folder list moves, so the list sees its selector already on the new drive.
  m_drive = wanted;
  const bool entered = m_dir_list != nullptr ? m_dir_list->Enter(folder) : IsFolder(folder);
  if (!entered)
  {
    m_drive = previous;
    SelectHeldItem();
    m_report(this, failure);
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

void DriveComboBox::showEvent(QShowEvent* event)
{
  QComboBox::showEvent(event);
  if (!m_start_reported)
  {
    m_start_reported = true;
    emit Change();
  }
}

void DriveComboBox::showPopup()
{
  const std::string held_root = m_folders.Drives().RootOf(m_drive);
  m_folders.Drives().Refresh();
  FillItems();
  // The same mount may carry another letter now; it is still the drive held.
  for (const vavizi::Drive& drive : m_folders.Drives().Drives())
  {
    if (drive.root == held_root)
    {
      m_drive = drive.letter;
    }
  }
  SelectHeldItem();
  QComboBox::showPopup();
}

void DriveComboBox::FillItems()
{
  const QSignalBlocker blocker(this);
  clear();
  const QIcon disk_icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
  const QIcon disc_icon = style()->standardIcon(QStyle::SP_DriveCDIcon);
  for (const vavizi::Drive& drive : m_folders.Drives().Drives())
  {
    addItem(drive.read_only ? disc_icon : disk_icon, DriveText(drive),
            QVariant::fromValue(static_cast<int>(drive.letter)));
  }
  SelectHeldItem();
}

void DriveComboBox::SelectHeldItem()
{
  const QSignalBlocker blocker(this);
  setCurrentIndex(findData(QVariant::fromValue(static_cast<int>(m_drive))));
}

void DriveComboBox::OnActivated(int index)
{
  const char letter = static_cast<char>(itemData(index).toInt());
  if (letter == m_drive)
  {
    return;
  }
  // A pick reports the new drive once more after the change itself; nothing if it failed.
  if (SetDrive(letter))
  {
    emit Change();
  }
}

void DriveComboBox::AdoptDriveOf(const std::string& folder)
{
  if (const std::optional<vavizi::Drive> drive =
          m_folders.Drives().DriveOf(std::string_view(folder)))
  {
    m_drive = drive->letter;
  }
  else if (!m_folders.Drives().Drives().empty())
  {
    m_drive = m_folders.Drives().Drives().front().letter;
  }
  SelectHeldItem();
}

}  // namespace vavizi
