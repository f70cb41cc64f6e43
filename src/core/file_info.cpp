// Texts of the file information panels and the packing of a local time into FAT words.
#include "core/file_info.h"

#include "core/digit_grouping.h"
#include "core/path_rules.h"
#include "core/sector_layout.h"

#include <cstdio>

namespace vavizi
{

FatDateTime PackFatDateTime(const LocalTime& local)
{
  if (local.year < 1980)
    return PackFatDateTime({1980, 1, 1, 0, 0, 0});
  if (local.year > 2107)
    return PackFatDateTime({2107, 12, 31, 23, 59, 58});
  FatDateTime packed;
  packed.date =
      static_cast<std::uint16_t>(((local.year - 1980) << 9) | (local.month << 5) | local.day);
  packed.time =
      static_cast<std::uint16_t>((local.hour << 11) | (local.minute << 5) | (local.second / 2));
  return packed;
}

std::string SizeText(std::uint64_t size)
{
  return GroupDigits(size) + "Byte";
}

std::string SectorSizeText(std::string_view name, std::uint64_t size)
{
  const auto extension = ExtensionOf(name);
  if (extension && *extension == ".KEB")
    return "2048Byte/ｾｸﾀ";
  // Zero counts as a multiple of every size.
  if (size % DATA_SECTOR_SIZE == 0)
    return "2048Byte/ｾｸﾀ";
  if (size % MODE2_SECTOR_SIZE == 0)
    return "2336Byte/ｾｸﾀ";
  if (size % RAW_SECTOR_SIZE == 0)
    return "2352Byte/ｾｸﾀ";
  return "????Byte/ｾｸﾀ";
}

std::string DateText(std::uint16_t date)
{
  char text[16];
  std::snprintf(text, sizeof text, "%4d-%02d-%02d", 1980 + (date >> 9), (date >> 5) & 0x0F,
                date & 0x1F);
  return text;
}

std::string TimeText(std::uint16_t time)
{
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", time >> 11, (time >> 5) & 0x3F,
                (time & 0x1F) * 2);
  return text;
}

}  // namespace vavizi
