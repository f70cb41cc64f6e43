// The text a browser shows for a name or path kept as bytes. UTF-8 names show as they are; names
// in CP932 (copied from discs and older systems) are decoded as CP932, so they read correctly while
// their bytes stay untouched for every file operation.
#pragma once

#include <QString>

#include <string_view>

namespace vavizi
{

// The name for the screen: UTF-8 if it is valid UTF-8, else CP932, else UTF-8 with U+FFFD.
[[nodiscard]] QString DisplayName(std::string_view bytes);

// A message for the screen that may name such a path: its UTF-8 text as it is, each run of other
// bytes decoded as CP932.
[[nodiscard]] QString DisplayText(std::string_view bytes);

}  // namespace vavizi
