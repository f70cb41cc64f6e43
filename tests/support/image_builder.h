// Builders of small CD and KEB images for tests: an ISO-like 2048-byte image with "CD001" in sector
// 16, the same data wrapped in each raw sector layout, and KEB images by the writing rules.
#pragma once

#include "core/sector_layout.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace vavizi::testing
{

using Bytes = std::vector<std::uint8_t>;

// `sectors` 2048-byte sectors: zero system area, "CD001" at byte 1 of sector 16, then a pattern
// that differs in every sector.
[[nodiscard]] Bytes MakeIsoData(int sectors);

// Each 2048-byte block of `iso` inside a sector of `layout` (sync and header for raw sectors, an XA
// subheader for Mode 2, non-zero filler where error-correction bytes would stand).
[[nodiscard]] Bytes WrapInLayout(const Bytes& iso, const SectorLayout& layout);

// A plain KEB image by hand: 512-byte header with `kind`, `flag` and the magic, then `data`.
[[nodiscard]] Bytes MakeKebImage(const Bytes& data, std::uint8_t kind = 0, std::uint8_t flag = 0x80,
                                 std::string_view magic = "KEB V1.0");

// `count` bytes of a repeating pattern seeded by `seed`.
[[nodiscard]] Bytes Pattern(std::size_t count, std::uint8_t seed);

}  // namespace vavizi::testing
