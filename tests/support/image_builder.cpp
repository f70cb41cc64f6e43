// Test image builders.
#include "support/image_builder.h"

#include <algorithm>

namespace vavizi::testing
{

Bytes Pattern(std::size_t count, std::uint8_t seed)
{
  Bytes bytes(count);
  std::uint32_t x = seed * 2654435761u + 1;
  for (auto& b : bytes)
  {
    x = x * 1103515245u + 12345u;
    b = static_cast<std::uint8_t>(x >> 16);
  }
  return bytes;
}

Bytes MakeIsoData(int sectors)
{
  Bytes iso(static_cast<std::size_t>(sectors) * DATA_SECTOR_SIZE, 0);
  for (int s = SYSTEM_AREA_SECTORS; s < sectors; ++s)
  {
    const Bytes fill = Pattern(DATA_SECTOR_SIZE, static_cast<std::uint8_t>(s));
    std::copy(fill.begin(), fill.end(),
              iso.begin() + static_cast<std::ptrdiff_t>(s) * DATA_SECTOR_SIZE);
  }
  if (sectors > SYSTEM_AREA_SECTORS)
  {
    const auto at = static_cast<std::size_t>(SYSTEM_AREA_SIZE);
    iso[at] = 1;
    std::copy_n("CD001", 5, iso.begin() + static_cast<std::ptrdiff_t>(at) + 1);
  }
  return iso;
}

Bytes WrapInLayout(const Bytes& iso, const SectorLayout& layout)
{
  if (layout.sector_size == DATA_SECTOR_SIZE)
    return iso;
  const std::size_t sectors = iso.size() / DATA_SECTOR_SIZE;
  Bytes image(sectors * layout.sector_size, 0xEC);
  for (std::size_t s = 0; s < sectors; ++s)
  {
    auto sector = image.begin() + static_cast<std::ptrdiff_t>(s * layout.sector_size);
    if (layout.sector_size == RAW_SECTOR_SIZE)
    {
      sector[0] = 0;
      std::fill_n(sector + 1, 10, 0xFF);
      sector[11] = 0;
      sector[12] = 0x00;
      sector[13] = 0x02;
      sector[14] = static_cast<std::uint8_t>(s);
      sector[15] = layout.user_data_offset == 16 ? 1 : 2;
    }
    if (layout.user_data_offset >= 8)
    {
      // Mode 2 subheader (form 1, data), twice.
      const std::size_t sub = layout.user_data_offset - 8;
      const std::uint8_t subheader[8] = {0, 0, 8, 0, 0, 0, 8, 0};
      if (layout.user_data_offset != 16)
        std::copy_n(subheader, 8, sector + static_cast<std::ptrdiff_t>(sub));
    }
    std::copy_n(iso.begin() + static_cast<std::ptrdiff_t>(s * DATA_SECTOR_SIZE), DATA_SECTOR_SIZE,
                sector + layout.user_data_offset);
  }
  return image;
}

Bytes MakeKebImage(const Bytes& data, std::uint8_t kind, std::uint8_t flag, std::string_view magic)
{
  Bytes image(512 + data.size(), 0);
  image[0] = kind;
  image[5] = flag;
  std::copy(magic.begin(), magic.end(), image.begin() + 140);
  std::copy(data.begin(), data.end(), image.begin() + 512);
  return image;
}

}  // namespace vavizi::testing
