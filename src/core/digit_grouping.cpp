// Digit grouping for the size and free-space panels.
#include "core/digit_grouping.h"

namespace vavizi
{

std::string GroupDigits(std::uint64_t value)
{
  const std::string digits = std::to_string(value);
  std::string grouped;
  grouped.reserve(digits.size() + digits.size() / 3);
  for (std::size_t i = 0; i < digits.size(); ++i)
  {
    if (i != 0 && (digits.size() - i) % 3 == 0)
      grouped.push_back(',');
    grouped.push_back(digits[i]);
  }
  return grouped;
}

}  // namespace vavizi
