// Writing and reading the window state file.
#include "core/window_state_file.h"

#include <charconv>
#include <cstdio>

namespace vavizi
{

namespace
{

bool IsSpace(char c)
{
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Reads an integer as "%d" does: leading white space skipped, an optional sign, digits.
std::optional<int> ReadInteger(std::string_view& rest)
{
  std::size_t at = 0;
  while (at < rest.size() && IsSpace(rest[at]))
    ++at;
  if (at < rest.size() && rest[at] == '+')
    ++at;
  if (at == rest.size() || rest[at] == '+')
    return std::nullopt;
  const char* first = rest.data() + at;
  int value = 0;
  const auto [end, error] = std::from_chars(first, rest.data() + rest.size(), value);
  if (error != std::errc() || end == first)
    return std::nullopt;
  rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
  return value;
}

// The next line without its line end (LF or CR LF); empty when nothing is left.
std::optional<std::string_view> ReadLine(std::string_view& rest)
{
  if (rest.empty())
    return std::nullopt;
  const auto end = rest.find('\n');
  std::string_view line = rest.substr(0, end);
  rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  if (!line.empty() && line.back() == '\r')
    line.remove_suffix(1);
  return line;
}

// The next line that holds more than white space, without its leading and trailing white space:
// a drive letter as the old word-reading rule found it.
std::optional<std::string_view> ReadWordLine(std::string_view& rest)
{
  while (auto line = ReadLine(rest))
  {
    std::string_view word = *line;
    while (!word.empty() && IsSpace(word.front()))
      word.remove_prefix(1);
    while (!word.empty() && IsSpace(word.back()))
      word.remove_suffix(1);
    if (!word.empty())
      return word;
  }
  return std::nullopt;
}

std::optional<BrowserState> ReadBrowser(std::string_view& rest)
{
  const auto drive = ReadWordLine(rest);
  const auto folder = drive ? ReadLine(rest) : std::nullopt;
  if (!drive || !folder || folder->empty())
    return std::nullopt;
  return BrowserState{drive->front(), std::string(*folder)};
}

}  // namespace

std::string FormatWindowState(int left, int top, const BrowserState& source,
                              const BrowserState& destination)
{
  std::string text;
  text += std::to_string(left) + "\n";
  text += std::to_string(top) + "\n";
  text += std::string(1, source.drive) + "\n";
  text += source.folder + "\n";
  text += std::string(1, destination.drive) + "\n";
  text += destination.folder + "\n";
  return text;
}

std::optional<WindowState> ParseWindowState(std::string_view content)
{
  std::string_view rest = content;
  const auto left = ReadInteger(rest);
  const auto top = left ? ReadInteger(rest) : std::nullopt;
  if (!left || !top)
    return std::nullopt;
  // The rest of the line that held the top edge.
  (void)ReadLine(rest);
  WindowState state;
  state.left = *left;
  state.top = *top;
  state.source = ReadBrowser(rest);
  if (state.source)
    state.destination = ReadBrowser(rest);
  return state;
}

}  // namespace vavizi
