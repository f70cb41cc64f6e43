// The rules by which the conversion command takes a source path apart and builds the destination
// path: the file name after the last separator, the extension from the name's first dot, the base
// name up to its last dot.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vavizi
{

// Paths are split on the system's separator byte. On POSIX the kernel itself splits on byte 0x2F,
// which is never part of a multi-byte character in UTF-8 or CP932, so a plain scan is exact.
inline constexpr char PATH_SEPARATOR = '/';

// The part after the last separator (the whole path when there is none).
[[nodiscard]] std::string_view FileNameOf(std::string_view path);

// From the name's first "." to its end, ASCII letters in upper case; empty when there is no ".".
[[nodiscard]] std::optional<std::string> ExtensionOf(std::string_view name);

// The name without the part from its last ".".
[[nodiscard]] std::string_view BaseNameOf(std::string_view name);

// ASCII letters in upper case, every other byte unchanged.
[[nodiscard]] std::string ToUpperAscii(std::string_view text);

// `folder`, a separator unless it already ends in one, then `base` and `extension`. An empty folder
// is the current folder.
[[nodiscard]] std::string JoinDestinationPath(std::string_view folder, std::string_view base,
                                              std::string_view extension);

// Which way a source goes, from its upper-cased extension; empty for an extension of neither kind.
struct ConversionPlan
{
  bool to_iso = false;        // ".KEB" becomes ".ISO"
  std::string new_extension;  // ".ISO" or ".KEB"
};
[[nodiscard]] std::optional<ConversionPlan> PlanForExtension(std::string_view upper_extension);

}  // namespace vavizi
