// The file information shown when a source file is selected: size, probable sector size, and the
// modification date and time in the packed FAT form (even seconds, years 1980 to 2107).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vavizi
{

struct FileRecord
{
  std::string name;        // the name in its folder, without the folder
  std::uint64_t size = 0;  // the whole length in bytes
  std::uint16_t date = 0;  // FAT date: bits 15-9 year - 1980, 8-5 month, 4-0 day
  std::uint16_t time = 0;  // FAT time: bits 15-11 hour, 10-5 minute, 4-0 seconds / 2
};

struct LocalTime
{
  int year = 1980;  // full year
  int month = 1;    // 1 to 12
  int day = 1;      // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

struct FatDateTime
{
  std::uint16_t date = 0;
  std::uint16_t time = 0;
};

// Packs a local time; odd seconds go down to the even second below. Times before 1980 pack as
// 1980-01-01 00:00:00 and times after 2107 as 2107-12-31 23:59:58, the ends of the range.
[[nodiscard]] FatDateTime PackFatDateTime(const LocalTime& local);

// "%sByte" with grouped digits.
[[nodiscard]] std::string SizeText(std::uint64_t size);
// "2048Byte/ｾｸﾀ", "2336Byte/ｾｸﾀ", "2352Byte/ｾｸﾀ" or "????Byte/ｾｸﾀ" for a file of this name and
// size.
[[nodiscard]] std::string SectorSizeText(std::string_view name, std::uint64_t size);
// "%4d-%02d-%02d" of a FAT date.
[[nodiscard]] std::string DateText(std::uint16_t date);
// "%02d:%02d:%02d" of a FAT time.
[[nodiscard]] std::string TimeText(std::uint16_t time);

}  // namespace vavizi
