// The free-space figure of a drive: its free bytes in units of 1000, as the panels show it and as
// the conversions compare their output against. Kept whole in 64 bits.
#pragma once

#include <cstdint>
#include <string>

namespace vavizi
{

// Free bytes / 1000, truncated; -1 (cannot be told) gives 0.
[[nodiscard]] std::int64_t FreeSpaceFigure(std::int64_t free_bytes);

// "空 %sKByte" of a figure.
[[nodiscard]] std::string FreeSpaceText(std::int64_t figure);

}  // namespace vavizi
