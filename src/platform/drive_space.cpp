// Free space of a drive: that of the file system at its root.
#include "platform/drive_space.h"

namespace vavizi
{

std::int64_t SystemDriveSpace::FreeBytes(char letter)
{
  const std::string root = m_drives.RootOf(letter);
  return root.empty() ? -1 : FreeBytesOfFolder(root);
}

}  // namespace vavizi
