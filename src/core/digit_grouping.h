// Decimal digits with a comma between groups of three, as the size and free-space panels show them.
#pragma once

#include <cstdint>
#include <string>

namespace vavizi
{

// 0 -> "0", 1234567 -> "1,234,567"; any 64-bit value.
[[nodiscard]] std::string GroupDigits(std::uint64_t value);

}  // namespace vavizi
