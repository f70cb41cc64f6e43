// Files on the real file system as stdio streams with 1 MiB buffers of their own: glibc ignores a
// size given to setvbuf without a buffer, and its default 4 KiB buffers make a sector-by-sector
// copy several times slower than cp.
#include "core/posix_file_system.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

namespace vavizi
{

namespace
{

class StdioFile final : public File
{
public:
  StdioFile(std::FILE* stream, std::vector<char> buffer)
      : m_stream(stream), m_buffer(std::move(buffer))
  {
    std::setvbuf(m_stream, m_buffer.data(), _IOFBF, m_buffer.size());
  }

  ~StdioFile() override
  {
    if (m_stream)
      std::fclose(m_stream);
  }

  IoResult Read(std::span<std::uint8_t> buffer) override
  {
    const std::size_t count = std::fread(buffer.data(), 1, buffer.size(), m_stream);
    return {count, count < buffer.size() && std::ferror(m_stream) != 0};
  }

  IoResult Write(std::span<const std::uint8_t> data) override
  {
    const std::size_t count = std::fwrite(data.data(), 1, data.size(), m_stream);
    return {count, count < data.size()};
  }

  bool Seek(std::int64_t offset) override
  {
    return fseeko(m_stream, static_cast<off_t>(offset), SEEK_SET) == 0;
  }

  std::int64_t Length() override
  {
    struct stat info
    {
    };
    if (fstat(fileno(m_stream), &info) != 0)
      return -1;
    return static_cast<std::int64_t>(info.st_size);
  }

  std::optional<FileIdentity> Identity() override
  {
    struct stat info
    {
    };
    if (fstat(fileno(m_stream), &info) != 0)
      return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                        static_cast<std::uint64_t>(info.st_ino)};
  }

  bool Close() override
  {
    std::FILE* stream = m_stream;
    m_stream = nullptr;
    return std::fclose(stream) == 0;
  }

private:
  std::FILE* m_stream;
  std::vector<char> m_buffer;
};

std::unique_ptr<File> Open(const std::string& path, const char* mode)
{
  std::FILE* stream = std::fopen(path.c_str(), mode);
  if (!stream)
    return nullptr;
  struct stat info
  {
  };
  if (fstat(fileno(stream), &info) != 0 || S_ISDIR(info.st_mode))
  {
    std::fclose(stream);
    return nullptr;
  }
  return std::make_unique<StdioFile>(stream,
                                     std::vector<char>(PosixFileSystem::STREAM_BUFFER_SIZE));
}

}  // namespace

std::unique_ptr<File> PosixFileSystem::OpenRead(const std::string& path)
{
  return Open(path, "rb");
}

std::unique_ptr<File> PosixFileSystem::OpenWrite(const std::string& path)
{
  return Open(path, "wb");
}

bool PosixFileSystem::Exists(const std::string& path)
{
  struct stat info
  {
  };
  return lstat(path.c_str(), &info) == 0;
}

bool PosixFileSystem::Remove(const std::string& path)
{
  return unlink(path.c_str()) == 0;
}

std::optional<FileIdentity> PosixFileSystem::IdentityOf(const std::string& path)
{
  struct stat info
  {
  };
  if (stat(path.c_str(), &info) != 0)
    return std::nullopt;
  return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                      static_cast<std::uint64_t>(info.st_ino)};
}

std::int64_t PosixFileSystem::FreeBytes(const std::string& folder)
{
  struct statvfs info
  {
  };
  if (statvfs(folder.empty() ? "." : folder.c_str(), &info) != 0)
    return -1;
  return static_cast<std::int64_t>(info.f_bavail) * static_cast<std::int64_t>(info.f_frsize);
}

}  // namespace vavizi
