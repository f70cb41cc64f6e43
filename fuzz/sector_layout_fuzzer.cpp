// Runs the sector-layout probe and the system-area scan over images built from the input (see
// image_recipe.h), with reads that fail from an offset on or seeks that are refused, and compares
// them with a plain reading of the same bytes.
//   flags: bit 2 reads fail from offset 2 x number on; bit 3 every seek is refused
#include "fuzz_check.h"
#include "image_recipe.h"
#include "memory_file.h"

#include "core/sector_layout.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

using namespace vavizi;

namespace
{

struct Faults
{
  std::optional<std::int64_t> read_fails_at;
  bool seek_refused = false;
};

// True when reading `count` bytes from `begin` meets the injected failure.
bool ReadFails(const Faults& faults, std::int64_t length, std::int64_t begin, std::int64_t count)
{
  const std::int64_t end = std::min(begin + count, length);
  return faults.read_fails_at && begin < end && end > *faults.read_fails_at;
}

LayoutProbe ExpectedProbe(std::span<const std::uint8_t> image, const Faults& faults)
{
  if (faults.seek_refused)
    return {ResultCode::ReadError, {}};
  const auto length = static_cast<std::int64_t>(image.size());
  std::uint32_t read_size = 0;
  for (const std::size_t index : fuzz::PROBE_ORDER)
  {
    const SectorLayout& layout = SECTOR_LAYOUTS[index];
    if (layout.sector_size != read_size)
    {
      read_size = layout.sector_size;
      if (ReadFails(faults, length, std::int64_t{SYSTEM_AREA_SECTORS} * read_size, read_size))
        return {ResultCode::ReadError, {}};
    }
    if (fuzz::IdentifierAt(image, layout))
      return {ResultCode::Done, layout};
  }
  return {ResultCode::NotExpectedKind, {}};
}

SystemAreaScan ExpectedScan(std::span<const std::uint8_t> image, const Faults& faults,
                            const SectorLayout& layout)
{
  // The probe matched, so sectors 0 to 15 are all there.
  for (int i = 0; i < SYSTEM_AREA_SECTORS; ++i)
  {
    const std::int64_t begin = std::int64_t{i} * layout.sector_size;
    if (ReadFails(faults, static_cast<std::int64_t>(image.size()), begin, layout.sector_size))
      return {ResultCode::ReadError, false};
    const auto data =
        image.subspan(static_cast<std::size_t>(begin) + layout.user_data_offset, DATA_SECTOR_SIZE);
    if (std::any_of(data.begin(), data.end(), [](std::uint8_t b) { return b != 0; }))
      return {ResultCode::Done, true};
  }
  return {ResultCode::Done, false};
}

void CheckImageSize(const SectorLayout& layout, std::int64_t length)
{
  const std::int64_t size = ImageSize(layout, length);
  if (layout.sector_size == DATA_SECTOR_SIZE)
  {
    FUZZ_CHECK(size == length);
    return;
  }
  FUZZ_CHECK(size >= 0 && size % DATA_SECTOR_SIZE == 0);
  FUZZ_CHECK(size / DATA_SECTOR_SIZE == length / layout.sector_size);
}

void CheckIdentifierOnRawBytes(std::span<const std::uint8_t> bytes)
{
  constexpr std::string_view IDENTIFIER = "CD001";
  for (const SectorLayout& layout : SECTOR_LAYOUTS)
  {
    const std::size_t at = layout.user_data_offset + 1;
    const bool expected =
        bytes.size() >= at + IDENTIFIER.size() &&
        std::equal(IDENTIFIER.begin(), IDENTIFIER.end(), bytes.begin() + static_cast<long>(at));
    FUZZ_CHECK(HasVolumeIdentifier(layout, bytes) == expected);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::span<const std::uint8_t> input(data, size);
  CheckIdentifierOnRawBytes(input);
  const auto recipe = fuzz::ReadRecipe(input);
  if (!recipe)
    return 0;
  const std::span<const std::uint8_t> image(recipe->image);
  Faults faults;
  if (recipe->flags & 4)
    faults.read_fails_at = std::int64_t{recipe->number} * 2;
  faults.seek_refused = (recipe->flags & 8) != 0;

  fuzz::MemoryFile file(image);
  file.read_fails_at = faults.read_fails_at;
  file.seek_refused = faults.seek_refused;
  std::array<std::uint8_t, 4096> buffer{};

  for (const SectorLayout& layout : SECTOR_LAYOUTS)
    CheckImageSize(layout, static_cast<std::int64_t>(image.size()));

  const LayoutProbe probe = ProbeSectorLayout(file, buffer);
  const LayoutProbe expected = ExpectedProbe(image, faults);
  FUZZ_CHECK(probe.code == expected.code);
  if (probe.code != ResultCode::Done)
    return 0;
  FUZZ_CHECK(probe.layout.number == expected.layout.number);
  FUZZ_CHECK(probe.layout.sector_size == expected.layout.sector_size);
  FUZZ_CHECK(probe.layout.user_data_offset == expected.layout.user_data_offset);

  const SystemAreaScan scan = ScanSystemArea(file, probe.layout, buffer);
  const SystemAreaScan expected_scan = ExpectedScan(image, faults, probe.layout);
  FUZZ_CHECK(scan.code == expected_scan.code);
  if (scan.code == ResultCode::Done)
    FUZZ_CHECK(scan.has_data == expected_scan.has_data);
  return 0;
}
