// Folder contents through opendir/readdir so that names which are not valid UTF-8 keep their bytes.
#include "platform/folder_listing.h"

#include "platform/current_folder.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace vavizi
{
namespace
{

enum class Kind
{
  Folder,
  PlainFile,
};

char FoldAscii(char c)
{
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::vector<std::string> List(const std::string& folder, Kind kind)
{
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr)
  {
    return names;
  }
  while (const dirent* entry = ::readdir(dir))
  {
    const std::string name(entry->d_name);
    if (name.empty() || name.front() == '.')
    {
      continue;
    }
    struct stat info
    {
    };
    if (::stat(JoinPath(folder, name).c_str(), &info) != 0)
    {
      continue;
    }
    const bool wanted = kind == Kind::Folder ? S_ISDIR(info.st_mode) : S_ISREG(info.st_mode);
    if (wanted)
    {
      names.push_back(name);
    }
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end(), NameLess);
  return names;
}

}  // namespace

bool IsFolder(const std::string& path)
{
  struct stat info
  {
  };
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<std::string> ListSubFolders(const std::string& folder)
{
  return List(folder, Kind::Folder);
}

std::vector<std::string> ListPlainFiles(const std::string& folder)
{
  return List(folder, Kind::PlainFile);
}

bool NameLess(const std::string& a, const std::string& b)
{
  const auto folded_less = [](char x, char y)
  { return static_cast<unsigned char>(FoldAscii(x)) < static_cast<unsigned char>(FoldAscii(y)); };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded_less))
  {
    return true;
  }
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded_less))
  {
    return false;
  }
  return a < b;
}

}  // namespace vavizi
