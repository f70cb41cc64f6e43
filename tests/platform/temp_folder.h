// A temporary folder per test, removed with everything in it afterwards, and small helpers to
// put files and folders into it with exact byte names.
#pragma once

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace vavizi::test
{

class TempFolder
{
public:
  TempFolder()
  {
    std::string pattern = (std::filesystem::temp_directory_path() / "vavizi-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr)
    {
      // Without links in it, so that it compares equal to what getcwd gives inside it.
      std::error_code ignored;
      m_path = std::filesystem::canonical(pattern, ignored).string();
    }
  }
  ~TempFolder()
  {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  [[nodiscard]] const std::string& Path() const { return m_path; }
  [[nodiscard]] std::string operator/(const std::string& name) const { return m_path + "/" + name; }

  // Creates a folder (and its parents) below this one; returns its path.
  std::string MakeFolder(const std::string& relative) const
  {
    const std::string path = *this / relative;
    std::filesystem::create_directories(path);
    return path;
  }

  // Creates a file of `size` bytes (sparse beyond its content); returns its path or "" on failure.
  std::string MakeFile(const std::string& relative, long long size = 0) const
  {
    const std::string path = *this / relative;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
    {
      return {};
    }
    const bool sized = ::ftruncate(fd, static_cast<off_t>(size)) == 0;
    ::close(fd);
    return sized ? path : std::string();
  }

private:
  std::string m_path;
};

}  // namespace vavizi::test
