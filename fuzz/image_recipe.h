// Small inputs that stand for CD images of 30 to 95 KB, so that the fuzz targets reach sector 16 of
// every layout without the fuzzer having to grow inputs that large:
//   byte 0      bits 0-1: where the payload goes (0, or sector 16 of 2048-, 2336- or 2352-byte
//               sectors); bits 2 to 7: flags of the target
//   bytes 1-2   image length - 30000 (little-endian)
//   bytes 3-4   a number for the target (little-endian)
//   byte 5      signed shift of the payload from its anchor
//   the rest    payload, copied into an otherwise zero image
// Also the plain reading of an image's sector layout the probe is compared with.
#pragma once

#include "core/sector_layout.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace vavizi::fuzz
{

inline constexpr std::size_t RECIPE_SIZE = 6;

struct ImageRecipe
{
  std::uint8_t flags = 0;  // byte 0 without the anchor bits
  std::uint16_t number = 0;
  std::vector<std::uint8_t> image;
};

// Empty when the input is shorter than the recipe.
inline std::optional<ImageRecipe> ReadRecipe(std::span<const std::uint8_t> input)
{
  constexpr std::int64_t BASE_LENGTH = 30000;
  if (input.size() < RECIPE_SIZE)
    return std::nullopt;
  ImageRecipe recipe;
  recipe.flags = static_cast<std::uint8_t>(input[0] & ~3);
  recipe.number = static_cast<std::uint16_t>(input[3] | input[4] << 8);
  const std::int64_t length = BASE_LENGTH + (input[1] | input[2] << 8);
  constexpr std::array<std::int64_t, 4> ANCHORS = {0, SYSTEM_AREA_SECTORS * DATA_SECTOR_SIZE,
                                                   SYSTEM_AREA_SECTORS * MODE2_SECTOR_SIZE,
                                                   SYSTEM_AREA_SECTORS * RAW_SECTOR_SIZE};
  const std::int64_t at =
      std::max<std::int64_t>(0, ANCHORS[input[0] & 3] + static_cast<std::int8_t>(input[5]));
  recipe.image.assign(static_cast<std::size_t>(length), 0);
  const auto payload = input.subspan(RECIPE_SIZE);
  if (at < length)
  {
    const auto count = std::min<std::size_t>(payload.size(), static_cast<std::size_t>(length - at));
    std::copy_n(payload.begin(), count, recipe.image.begin() + at);
  }
  return recipe;
}

// True when "CD001" stands at byte 1 of the user data of sector 16 of `layout` in `image`.
inline bool IdentifierAt(std::span<const std::uint8_t> image, const SectorLayout& layout)
{
  constexpr std::string_view IDENTIFIER = "CD001";
  const std::size_t at =
      SYSTEM_AREA_SECTORS * std::size_t{layout.sector_size} + layout.user_data_offset + 1;
  return image.size() >= at + IDENTIFIER.size() &&
         std::equal(IDENTIFIER.begin(), IDENTIFIER.end(), image.begin() + static_cast<long>(at));
}

// The layouts in the order they are tried; of the two 2352-byte ones, 4 wins when both match.
inline constexpr std::array<std::size_t, 4> PROBE_ORDER = {0, 1, 3, 2};

inline std::optional<SectorLayout> ExpectedLayout(std::span<const std::uint8_t> image)
{
  for (const std::size_t index : PROBE_ORDER)
  {
    if (IdentifierAt(image, SECTOR_LAYOUTS[index]))
      return SECTOR_LAYOUTS[index];
  }
  return std::nullopt;
}

}  // namespace vavizi::fuzz
