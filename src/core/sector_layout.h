// The four CD image layouts a source may have, and how they are recognised: each probe looks for
// the ISO 9660 identifier "CD001" at the user-data position of sector 16, in this order.
//
//   layout  sector  user data  probe offset     "CD001" at   sector kind
//   1       2048    0          32768 (0x8000)   1 to 5       user data only (ISO 9660 image)
//   2       2336    8          37376 (0x9200)   9 to 13      Mode 2 without sync and header
//   3       2352    16         37632 (0x9300)   17 to 21     raw Mode 1
//   4       2352    24         37632 (0x9300)   25 to 29     raw Mode 2 Form 1 (CD-ROM XA)
//
// Layout 4 wins over layout 3 when one sector matches both.
#pragma once

#include "core/file_system.h"
#include "core/result_code.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vavizi
{

inline constexpr std::uint32_t DATA_SECTOR_SIZE = 2048;
inline constexpr std::uint32_t MODE2_SECTOR_SIZE = 2336;
inline constexpr std::uint32_t RAW_SECTOR_SIZE = 2352;
inline constexpr int SYSTEM_AREA_SECTORS = 16;
inline constexpr std::int64_t SYSTEM_AREA_SIZE = SYSTEM_AREA_SECTORS * DATA_SECTOR_SIZE;  // 32768
// The shortest source that can hold sector 16 of a 2048-byte image.
inline constexpr std::int64_t MINIMUM_IMAGE_LENGTH = SYSTEM_AREA_SIZE + DATA_SECTOR_SIZE;  // 34816

struct SectorLayout
{
  int number = 0;  // 1 to 4, as in the table above
  std::uint32_t sector_size = 0;
  std::uint32_t user_data_offset = 0;  // where the 2048 bytes of user data begin in a sector
};

inline constexpr std::array<SectorLayout, 4> SECTOR_LAYOUTS = {{
    {1, DATA_SECTOR_SIZE, 0},
    {2, MODE2_SECTOR_SIZE, 8},
    {3, RAW_SECTOR_SIZE, 16},
    {4, RAW_SECTOR_SIZE, 24},
}};

// True when "CD001" stands at byte 1 of the user data of `layout` in the bytes read of sector 16.
[[nodiscard]] bool HasVolumeIdentifier(const SectorLayout& layout,
                                       std::span<const std::uint8_t> sector_read);

struct LayoutProbe
{
  ResultCode code = ResultCode::Done;  // Done, NotExpectedKind (no match) or ReadError
  SectorLayout layout{};
};

// Runs the probes in order on `source`, reading into `buffer` (at least 2352 bytes).
[[nodiscard]] LayoutProbe ProbeSectorLayout(File& source, std::span<std::uint8_t> buffer);

// User-data size of a source of `length` bytes, system area included: the length itself for
// 2048-byte sectors, whole sectors x 2048 otherwise.
[[nodiscard]] std::int64_t ImageSize(const SectorLayout& layout, std::int64_t length);

struct SystemAreaScan
{
  ResultCode code = ResultCode::Done;  // Done or ReadError
  bool has_data = false;               // a user-data byte of sectors 0 to 15 is non-zero
};

// Reads sectors 0 to 15 and tests only their user data; stops at the first non-zero byte.
[[nodiscard]] SystemAreaScan ScanSystemArea(File& source, const SectorLayout& layout,
                                            std::span<std::uint8_t> buffer);

// True when any of the 2048 user-data bytes of `sector` (a whole sector of `layout`) is non-zero.
[[nodiscard]] bool UserDataHasData(const SectorLayout& layout,
                                   std::span<const std::uint8_t> sector);

}  // namespace vavizi
