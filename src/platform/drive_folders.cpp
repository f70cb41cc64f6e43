// The per-drive current folders, kept in memory for the life of the process.
#include "platform/drive_folders.h"

#include "platform/current_folder.h"
#include "platform/folder_listing.h"

namespace vavizi
{

std::string DriveFolders::FolderOf(char letter)
{
  const std::optional<Drive> drive = m_drives.DriveOf(letter);
  if (!drive)
  {
    return {};
  }
  std::string folder;
  if (const auto it = m_folder_by_root.find(drive->root); it != m_folder_by_root.end())
  {
    folder = it->second;
  }
  else
  {
    const std::string current = CurrentFolder();
    const std::optional<Drive> current_drive = m_drives.DriveOf(std::string_view(current));
    folder = (current_drive && current_drive->root == drive->root) ? current : drive->root;
  }
  // A remembered folder may have been removed since: climb to what still exists on the drive.
  while (folder.size() > drive->root.size() && !IsFolder(folder))
  {
    folder = PlainFolderPath("..", folder);
  }
  return folder.size() < drive->root.size() ? drive->root : folder;
}

void DriveFolders::Remember(const std::string& folder)
{
  if (const std::optional<Drive> drive = m_drives.DriveOf(std::string_view(folder)))
  {
    m_folder_by_root[drive->root] = folder;
  }
}

DriveFolders& ProcessDriveFolders()
{
  static DriveFolders folders(ProcessDriveTable());
  return folders;
}

}  // namespace vavizi
