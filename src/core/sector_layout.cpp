// Recognition of a source's sector layout and the scan of its system area.
#include "core/sector_layout.h"

#include <algorithm>
#include <string_view>

namespace vavizi
{

namespace
{

constexpr std::string_view VOLUME_IDENTIFIER = "CD001";
constexpr std::size_t IDENTIFIER_POSITION = 1;  // in the volume descriptor

IoResult ReadAt(File& source, std::int64_t offset, std::span<std::uint8_t> buffer)
{
  if (!source.Seek(offset))
    return {0, true};
  return source.Read(buffer);
}

}  // namespace

bool HasVolumeIdentifier(const SectorLayout& layout, std::span<const std::uint8_t> sector_read)
{
  const std::size_t at = layout.user_data_offset + IDENTIFIER_POSITION;
  if (sector_read.size() < at + VOLUME_IDENTIFIER.size())
    return false;
  const auto identifier = sector_read.subspan(at, VOLUME_IDENTIFIER.size());
  return std::equal(VOLUME_IDENTIFIER.begin(), VOLUME_IDENTIFIER.end(), identifier.begin());
}

LayoutProbe ProbeSectorLayout(File& source, std::span<std::uint8_t> buffer)
{
  LayoutProbe probe;
  // Layouts 3 and 4 share one probe read; 4 is tested last so that it wins when both match.
  std::uint32_t sector_read_size = 0;
  std::size_t count = 0;
  const SectorLayout* found = nullptr;
  for (const SectorLayout& layout : SECTOR_LAYOUTS)
  {
    if (layout.sector_size != sector_read_size)
    {
      if (found)
        break;
      sector_read_size = layout.sector_size;
      const IoResult read = ReadAt(source, std::int64_t{SYSTEM_AREA_SECTORS} * layout.sector_size,
                                   buffer.first(layout.sector_size));
      if (read.failed)
      {
        probe.code = ResultCode::ReadError;
        return probe;
      }
      count = read.count;
    }
    if (HasVolumeIdentifier(layout, buffer.first(count)))
      found = &layout;
  }
  if (!found)
  {
    probe.code = ResultCode::NotExpectedKind;
    return probe;
  }
  probe.layout = *found;
  return probe;
}

std::int64_t ImageSize(const SectorLayout& layout, std::int64_t length)
{
  if (layout.sector_size == DATA_SECTOR_SIZE)
    return length;
  return length / layout.sector_size * DATA_SECTOR_SIZE;
}

bool UserDataHasData(const SectorLayout& layout, std::span<const std::uint8_t> sector)
{
  const auto user_data = sector.subspan(layout.user_data_offset, DATA_SECTOR_SIZE);
  return std::any_of(user_data.begin(), user_data.end(), [](std::uint8_t b) { return b != 0; });
}

SystemAreaScan ScanSystemArea(File& source, const SectorLayout& layout,
                              std::span<std::uint8_t> buffer)
{
  SystemAreaScan scan;
  if (!source.Seek(0))
  {
    scan.code = ResultCode::ReadError;
    return scan;
  }
  const auto sector = buffer.first(layout.sector_size);
  for (int i = 0; i < SYSTEM_AREA_SECTORS; ++i)
  {
    const IoResult read = source.Read(sector);
    if (read.failed)
    {
      scan.code = ResultCode::ReadError;
      return scan;
    }
    // The probe of sector 16 has matched, so sectors 0 to 15 are all there.
    if (read.count < sector.size())
      break;
    if (UserDataHasData(layout, sector))
    {
      scan.has_data = true;
      break;
    }
  }
  return scan;
}

}  // namespace vavizi
