// The current folder through the POSIX calls, which take and give the bytes of a path unchanged.
#include "platform/current_folder.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>
#include <vector>

namespace vavizi
{

bool ChangeCurrentFolder(const std::string& path)
{
  return !path.empty() && ::chdir(path.c_str()) == 0;
}

std::string CurrentFolder()
{
  std::vector<char> buffer(4096);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr)
  {
    if (errno != ERANGE || buffer.size() > (1U << 20))
    {
      return {};
    }
    buffer.resize(buffer.size() * 2);
  }
  return std::string(buffer.data());
}

std::string PlainFolderPath(std::string_view path, std::string_view base)
{
  std::string whole;
  if (path.empty() || path.front() != '/')
  {
    whole.append(base);
    whole.push_back('/');
  }
  whole.append(path);

  std::vector<std::string_view> parts;
  const std::string_view view(whole);
  std::size_t pos = 0;
  while (pos <= view.size())
  {
    const std::size_t slash = std::min(view.find('/', pos), view.size());
    const std::string_view part = view.substr(pos, slash - pos);
    pos = slash + 1;
    if (part.empty() || part == ".")
    {
      continue;
    }
    if (part == "..")
    {
      if (!parts.empty())
      {
        parts.pop_back();
      }
      continue;
    }
    parts.push_back(part);
  }

  std::string plain;
  for (const std::string_view part : parts)
  {
    plain.push_back('/');
    plain.append(part);
  }
  return plain.empty() ? std::string("/") : plain;
}

std::string JoinPath(std::string_view folder, std::string_view name)
{
  std::string path(folder);
  if (path.empty() || path.back() != '/')
  {
    path.push_back('/');
  }
  path.append(name);
  return path;
}

}  // namespace vavizi
