// Fills the one "%s" of a message with a value, byte for byte (paths may hold any bytes).
#pragma once

#include <string>
#include <string_view>

namespace vavizi
{

[[nodiscard]] std::string FillPlaceholder(std::string_view format, std::string_view value);

}  // namespace vavizi
