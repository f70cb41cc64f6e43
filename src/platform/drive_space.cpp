// Free space through statvfs, counted in 64 bits.
#include "platform/drive_space.h"

#include <limits>
#include <sys/statvfs.h>

namespace vavizi
{

std::int64_t SystemDriveSpace::FreeBytes(char letter)
{
  const std::string root = m_drives.RootOf(letter);
  return root.empty() ? -1 : FreeBytesOfFolder(root);
}

std::int64_t FreeBytesOfFolder(const std::string& folder)
{
  struct statvfs info
  {
  };
  if (folder.empty() || ::statvfs(folder.c_str(), &info) != 0)
  {
    return -1;
  }
  const unsigned long long blocks = info.f_bavail;
  const unsigned long long block_size = info.f_frsize != 0 ? info.f_frsize : info.f_bsize;
  constexpr auto MAX = static_cast<unsigned long long>(std::numeric_limits<std::int64_t>::max());
  if (block_size != 0 && blocks > MAX / block_size)
  {
    return std::numeric_limits<std::int64_t>::max();
  }
  return static_cast<std::int64_t>(blocks * block_size);
}

}  // namespace vavizi
