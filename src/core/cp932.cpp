// CP932 conversions through iconv.
#include "core/cp932.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace vavizi
{

namespace
{

// Converts with iconv; on an input sequence it cannot take, appends `replacement` and skips
// `skip_bytes(input)` bytes of input.
template <typename Skip>
std::string Convert(const char* to, const char* from, std::string_view input,
                    std::string_view replacement, Skip skip_bytes)
{
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1))
    return std::string(input);
  std::string output;
  output.reserve(input.size() * 2);
  char* in = const_cast<char*>(input.data());
  std::size_t in_left = input.size();
  char chunk[256];
  while (in_left > 0)
  {
    char* out = chunk;
    std::size_t out_left = sizeof chunk;
    const std::size_t rc = iconv(cd, &in, &in_left, &out, &out_left);
    output.append(chunk, static_cast<std::size_t>(out - chunk));
    if (rc != static_cast<std::size_t>(-1))
      continue;
    if (errno == E2BIG)
      continue;
    // EILSEQ (not convertible) or EINVAL (cut short at the end): replace and go on.
    output.append(replacement);
    const std::size_t skip = std::min(in_left, skip_bytes(std::string_view(in, in_left)));
    in += skip;
    in_left -= skip;
  }
  char* out = chunk;
  std::size_t out_left = sizeof chunk;
  iconv(cd, nullptr, nullptr, &out, &out_left);
  output.append(chunk, static_cast<std::size_t>(out - chunk));
  iconv_close(cd);
  return output;
}

// Length of the valid UTF-8 sequence that starts `text`, 0 when none starts there.
std::size_t ValidUtf8Length(std::string_view text)
{
  const auto lead = static_cast<std::uint8_t>(text.front());
  if (lead < 0x80)
    return 1;
  std::size_t length = 0;
  if (lead >= 0xC2 && lead <= 0xDF)
    length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF)
    length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4)
    length = 4;
  if (length == 0 || length > text.size())
    return 0;
  for (std::size_t i = 1; i < length; ++i)
  {
    if ((static_cast<std::uint8_t>(text[i]) & 0xC0) != 0x80)
      return 0;
  }
  const auto second = static_cast<std::uint8_t>(text[1]);
  // Overlong forms, surrogates and values past U+10FFFF are no characters.
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
      (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
    return 0;
  return length;
}

// Length of the UTF-8 sequence that starts `text`, 1 for a byte that starts none.
std::size_t Utf8SequenceLength(std::string_view text)
{
  return std::max<std::size_t>(1, ValidUtf8Length(text));
}

std::size_t Cp932SequenceLength(std::string_view text)
{
  return IsCp932LeadByte(static_cast<std::uint8_t>(text.front())) && text.size() >= 2 ? 2 : 1;
}

}  // namespace

std::string Utf8ToCp932(std::string_view utf8)
{
  return Convert("CP932", "UTF-8", utf8, "?", Utf8SequenceLength);
}

std::string Cp932ToUtf8(std::string_view cp932)
{
  return Convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD", Cp932SequenceLength);
}

std::string MixedToUtf8(std::string_view text)
{
  std::string utf8;
  utf8.reserve(text.size() * 2);
  std::size_t at = 0;
  while (at < text.size())
  {
    if (const std::size_t length = ValidUtf8Length(text.substr(at)); length != 0)
    {
      utf8.append(text.substr(at, length));
      at += length;
      continue;
    }
    // A CP932 run: whole characters up to the next multi-byte UTF-8 character.
    std::size_t end = at;
    while (end < text.size() && (end == at || ValidUtf8Length(text.substr(end)) < 2))
      end += Cp932SequenceLength(text.substr(end));
    utf8.append(Cp932ToUtf8(text.substr(at, end - at)));
    at = end;
  }
  return utf8;
}

std::string_view CutCp932(std::string_view cp932, std::size_t max_bytes)
{
  if (cp932.size() <= max_bytes)
    return cp932;
  std::size_t end = 0;
  while (end < max_bytes)
  {
    const std::size_t width = IsCp932LeadByte(static_cast<std::uint8_t>(cp932[end])) ? 2 : 1;
    if (end + width > max_bytes)
      break;
    end += width;
  }
  return cp932.substr(0, end);
}

}  // namespace vavizi
