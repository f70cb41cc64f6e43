// Placeholder filling for the program's messages.
#include "core/text_format.h"

namespace vavizi
{

std::string FillPlaceholder(std::string_view format, std::string_view value)
{
  const auto at = format.find("%s");
  if (at == std::string_view::npos)
    return std::string(format);
  std::string text;
  text.reserve(format.size() + value.size());
  text.append(format.substr(0, at));
  text.append(value);
  text.append(format.substr(at + 2));
  return text;
}

}  // namespace vavizi
