// Source and destination path rules of the conversion command.
#include "core/path_rules.h"

namespace vavizi
{

std::string_view FileNameOf(std::string_view path)
{
  const auto at = path.rfind(PATH_SEPARATOR);
  return at == std::string_view::npos ? path : path.substr(at + 1);
}

std::optional<std::string> ExtensionOf(std::string_view name)
{
  const auto at = name.find('.');
  if (at == std::string_view::npos)
    return std::nullopt;
  return ToUpperAscii(name.substr(at));
}

std::string_view BaseNameOf(std::string_view name)
{
  const auto at = name.rfind('.');
  return at == std::string_view::npos ? name : name.substr(0, at);
}

std::string ToUpperAscii(std::string_view text)
{
  std::string upper(text);
  for (char& c : upper)
  {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

std::string JoinDestinationPath(std::string_view folder, std::string_view base,
                                std::string_view extension)
{
  std::string path(folder);
  // Only the system's own separator counts: on POSIX a backslash is an ordinary byte of a name.
  if (!path.empty() && path.back() != PATH_SEPARATOR)
    path.push_back(PATH_SEPARATOR);
  path.append(base);
  path.append(extension);
  return path;
}

std::optional<ConversionPlan> PlanForExtension(std::string_view upper_extension)
{
  if (upper_extension == ".KEB")
    return ConversionPlan{true, ".ISO"};
  if (upper_extension == ".IMG" || upper_extension == ".ISO")
    return ConversionPlan{false, ".KEB"};
  return std::nullopt;
}

}  // namespace vavizi
