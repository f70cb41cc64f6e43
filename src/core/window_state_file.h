// The window state file "VAVIZI.SAV": the main window's position and both browsers' drives and
// folders, six lines written on close and read back on the first paint.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vavizi
{

inline constexpr const char* WINDOW_STATE_FILE_NAME = "VAVIZI.SAV";

struct BrowserState
{
  char drive = 0;      // the drive letter as saved (lower case when written by this program)
  std::string folder;  // full path of the folder
};

struct WindowState
{
  int left = 0;
  int top = 0;
  // Empty when the file ended after the two integers.
  std::optional<BrowserState> source;
  std::optional<BrowserState> destination;
};

// The six lines: left, top, source drive, source folder, destination drive, destination folder.
[[nodiscard]] std::string FormatWindowState(int left, int top, const BrowserState& source,
                                            const BrowserState& destination);

// Reads the two integers, then the remaining lines whole, so folders with spaces come back as one.
// Empty when the file does not start with two integers.
[[nodiscard]] std::optional<WindowState> ParseWindowState(std::string_view content);

}  // namespace vavizi
