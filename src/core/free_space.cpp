// The free-space figure and its panel text.
#include "core/free_space.h"

#include "core/digit_grouping.h"

namespace vavizi
{

std::int64_t FreeSpaceFigure(std::int64_t free_bytes)
{
  // Truncating division: -1 ("cannot be told") and anything below 1000 give 0.
  return free_bytes < 0 ? 0 : free_bytes / 1000;
}

std::string FreeSpaceText(std::int64_t figure)
{
  return "空 " + GroupDigits(static_cast<std::uint64_t>(figure < 0 ? 0 : figure)) + "KByte";
}

}  // namespace vavizi
