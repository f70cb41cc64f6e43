// Files on the real file system: buffered streams with buffers of their own, so that a copy made
// one sector at a time moves data in large reads and writes.
#pragma once

#include "core/file_system.h"

namespace vavizi
{

class PosixFileSystem final : public FileSystem
{
public:
  // Size of each stream's buffer.
  static constexpr std::size_t STREAM_BUFFER_SIZE = 1 << 20;

  std::unique_ptr<File> OpenRead(const std::string& path) override;
  std::unique_ptr<File> OpenWrite(const std::string& path) override;
  bool Exists(const std::string& path) override;
  bool IsLinked(const std::string& path) override;
  bool Remove(const std::string& path) override;
  std::optional<FileIdentity> IdentityOf(const std::string& path) override;
  std::int64_t FreeBytes(const std::string& folder) override;
};

// Free bytes for this user on the file system holding `folder` (statvfs f_bavail x f_frsize, capped
// at the largest 64-bit number), or -1 when they cannot be told.
[[nodiscard]] std::int64_t FreeBytesOfFolder(const std::string& folder);

}  // namespace vavizi
