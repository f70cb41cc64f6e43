// Converts arbitrary bytes both ways between UTF-8 and CP932 and cuts them as the KEB description
// is cut. The cut must be a prefix of at most the allowed size that splits no double-byte
// character, and as long as that allows.
#include "fuzz_check.h"

#include "core/cp932.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace vavizi;

namespace
{

// True when `text` is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsUtf8(std::string_view text)
{
  std::size_t i = 0;
  while (i < text.size())
  {
    const auto lead = static_cast<std::uint8_t>(text[i]);
    std::size_t length = 0;
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
    if (lead < 0x80)
      length = 1;
    else if (lead >= 0xC2 && lead <= 0xDF)
      length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
    {
      length = 3;
      low = lead == 0xE0 ? 0xA0 : 0x80;
      high = lead == 0xED ? 0x9F : 0xBF;
    }
    else if (lead >= 0xF0 && lead <= 0xF4)
    {
      length = 4;
      low = lead == 0xF0 ? 0x90 : 0x80;
      high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    else
      return false;
    if (i + length > text.size())
      return false;
    for (std::size_t k = 1; k < length; ++k)
    {
      const auto byte = static_cast<std::uint8_t>(text[i + k]);
      if (byte < (k == 1 ? low : 0x80) || byte > (k == 1 ? high : 0xBF))
        return false;
    }
    i += length;
  }
  return true;
}

// The end of the last whole character within `max_bytes`, walking from the start.
std::size_t LastWholeEnd(std::string_view cp932, std::size_t max_bytes)
{
  std::size_t end = 0;
  while (end < cp932.size())
  {
    const std::size_t width = IsCp932LeadByte(static_cast<std::uint8_t>(cp932[end])) ? 2 : 1;
    if (end + width > max_bytes)
      break;
    end += width;
  }
  return std::min(end, cp932.size());
}

void CheckCut(std::string_view cp932, std::size_t max_bytes)
{
  const std::string_view cut = CutCp932(cp932, max_bytes);
  FUZZ_CHECK(cut.data() == cp932.data());
  FUZZ_CHECK(cut.size() <= cp932.size());
  if (cp932.size() <= max_bytes)
  {
    FUZZ_CHECK(cut.size() == cp932.size());
    return;
  }
  FUZZ_CHECK(cut.size() <= max_bytes);
  // Never ends on a lead byte whose second byte was cut off, and gives up at most that one byte.
  FUZZ_CHECK(cut.size() == LastWholeEnd(cp932, max_bytes));
  FUZZ_CHECK(cut.size() + 1 >= max_bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const std::string from_cp932 = Cp932ToUtf8(bytes);
  FUZZ_CHECK(IsUtf8(from_cp932));

  // What this program writes into a header reads back as text that writes the same bytes again
  // (several characters may share one CP932 code, so the text itself may change once).
  const std::string to_cp932 = Utf8ToCp932(bytes);
  const std::string back = Cp932ToUtf8(to_cp932);
  FUZZ_CHECK(IsUtf8(back));
  FUZZ_CHECK(back.find("\xEF\xBF\xBD") == std::string::npos);
  FUZZ_CHECK(Utf8ToCp932(back) == to_cp932);

  for (const std::size_t max_bytes : {std::size_t{0}, std::size_t{1}, std::size_t{2},
                                      std::size_t{125}, std::size_t{126}, size / 2})
  {
    CheckCut(bytes, max_bytes);
    CheckCut(to_cp932, max_bytes);
  }
  return 0;
}
