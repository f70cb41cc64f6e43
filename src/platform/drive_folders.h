// Each drive's own current folder, as drive-letter systems keep one per drive: switching a browser
// to a drive brings back the folder last made current there.
#pragma once

#include "platform/drive_table.h"

#include <map>
#include <string>

namespace vavizi
{

class DriveFolders
{
public:
  explicit DriveFolders(DriveTable& drives) : m_drives(drives) {}

  // The drive's current folder: the last one remembered there while it still exists (else its
  // nearest existing ancestor on the drive); by default the process's current folder if it lies
  // on that drive, else the drive's root. Empty when there is no such drive.
  [[nodiscard]] std::string FolderOf(char letter);

  // Makes the absolute `folder` the current folder of the drive holding it.
  void Remember(const std::string& folder);

  // The drive table the folders are kept over.
  [[nodiscard]] DriveTable& Drives() { return m_drives; }

private:
  DriveTable& m_drives;
  // Keyed by the drive's root, so a change of letters after Refresh keeps each folder on its drive.
  std::map<std::string, std::string> m_folder_by_root;
};

// The process's one record, over ProcessDriveTable().
[[nodiscard]] DriveFolders& ProcessDriveFolders();

}  // namespace vavizi
