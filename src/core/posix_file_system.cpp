// Files on the real file system as stdio streams with 1 MiB buffers of their own: glibc ignores a
// size given to setvbuf without a buffer, and its default 4 KiB buffers make a sector-by-sector
// copy several times slower than cp.
#include "core/posix_file_system.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <limits>
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

std::unique_ptr<File> Open(const std::string& path, bool write)
{
  const int access = write ? O_WRONLY | O_CREAT | O_TRUNC : O_RDONLY;
  // Without O_NONBLOCK a FIFO would hold the open until another program came to its other end.
  const int fd = open(path.c_str(), access | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0)
    return nullptr;
  struct stat info
  {
  };
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
  {
    close(fd);
    return nullptr;
  }
  std::FILE* stream = fdopen(fd, write ? "wb" : "rb");
  if (!stream)
  {
    close(fd);
    return nullptr;
  }
  return std::make_unique<StdioFile>(stream,
                                     std::vector<char>(PosixFileSystem::STREAM_BUFFER_SIZE));
}

}  // namespace

std::unique_ptr<File> PosixFileSystem::OpenRead(const std::string& path)
{
  return Open(path, false);
}

std::unique_ptr<File> PosixFileSystem::OpenWrite(const std::string& path)
{
  return Open(path, true);
}

bool PosixFileSystem::Exists(const std::string& path)
{
  struct stat info
  {
  };
  return lstat(path.c_str(), &info) == 0;
}

bool PosixFileSystem::IsLinked(const std::string& path)
{
  struct stat info
  {
  };
  if (lstat(path.c_str(), &info) != 0)
    return false;
  return S_ISLNK(info.st_mode) || (S_ISREG(info.st_mode) && info.st_nlink > 1);
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
  return FreeBytesOfFolder(folder.empty() ? "." : folder);
}

std::int64_t FreeBytesOfFolder(const std::string& folder)
{
  struct statvfs info
  {
  };
  if (folder.empty() || statvfs(folder.c_str(), &info) != 0)
    return -1;
  const unsigned long long blocks = info.f_bavail;
  const unsigned long long block_size = info.f_frsize != 0 ? info.f_frsize : info.f_bsize;
  constexpr auto MAX = static_cast<unsigned long long>(std::numeric_limits<std::int64_t>::max());
  if (block_size != 0 && blocks > MAX / block_size)
    return std::numeric_limits<std::int64_t>::max();
  return static_cast<std::int64_t>(blocks * block_size);
}

}  // namespace vavizi
