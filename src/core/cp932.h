// CP932 (Shift-JIS as the emulator reads it), the encoding of the KEB header's description. The
// conversions use iconv's "CP932", which keeps 0x5C a backslash and holds "～"; a character CP932
// cannot hold becomes "?".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vavizi
{

// True for the first byte of a double-byte CP932 character.
[[nodiscard]] constexpr bool IsCp932LeadByte(std::uint8_t byte)
{
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// UTF-8 to CP932; invalid UTF-8 and unmappable characters become "?".
[[nodiscard]] std::string Utf8ToCp932(std::string_view utf8);

// CP932 to UTF-8; bytes that are no CP932 character become U+FFFD.
[[nodiscard]] std::string Cp932ToUtf8(std::string_view cp932);

// Text that may hold CP932 runs among UTF-8, such as a message naming a path whose bytes are CP932:
// valid UTF-8 stays as it is, and each run that is not decodes as CP932 up to the next multi-byte
// UTF-8 character.
[[nodiscard]] std::string MixedToUtf8(std::string_view text);

// The longest prefix of `cp932` of at most `max_bytes` that does not end inside a double-byte
// character.
[[nodiscard]] std::string_view CutCp932(std::string_view cp932, std::size_t max_bytes);

}  // namespace vavizi
