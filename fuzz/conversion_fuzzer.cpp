// Runs both conversion routines over the test fakes on a small source image built from the input
// (see image_recipe.h), every question answered Yes except the raw one, which the input decides.
// A routine must never crash, must close what it opened, and a Done result must leave exactly the
// bytes the format rules give for that source.
//   flags: bit 2 KEB image to ISO image (else CD image to KEB image); bit 3 answer Yes to keeping
//          whole 2352-byte sectors; bit 4 (KEB images) cut the image to `number` bytes
#include "fuzz_check.h"
#include "image_recipe.h"

#include "core/conversion.h"
#include "core/keb_format.h"
#include "core/messages.h"
#include "support/conversion_rig.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

using namespace vavizi;

namespace
{

using Bytes = std::vector<std::uint8_t>;

const std::string SOURCE = "/in/source";
const std::string DESTINATION = "/out/destination";

// The ISO image the reading rules give for a KEB image; empty when they refuse it.
std::optional<Bytes> ExpectedIso(std::span<const std::uint8_t> keb, ResultCode& code)
{
  const std::size_t length = keb.size();
  if (length < keb::MAGIC_OFFSET + keb::MAGIC.size() ||
      !std::equal(keb::MAGIC.begin(), keb::MAGIC.end(), keb.begin() + keb::MAGIC_OFFSET))
  {
    code = ResultCode::NotExpectedKind;
    return std::nullopt;
  }
  const std::uint8_t kind = keb[keb::KIND_OFFSET];
  std::size_t data_start = keb::PLAIN_DATA_OFFSET;
  if (kind == keb::KIND_RAW)
  {
    if (length < keb::DATA_OFFSET_OFFSET + 4 || keb[keb::COMPRESSION_OFFSET] != 0)
    {
      code = ResultCode::NotUncompressed;
      return std::nullopt;
    }
    data_start = keb::LoadU32(keb, keb::DATA_OFFSET_OFFSET);
  }
  else if (kind != keb::KIND_PLAIN)
  {
    code = ResultCode::NotUncompressed;
    return std::nullopt;
  }
  code = ResultCode::Done;
  Bytes iso;
  if (keb[keb::SYSTEM_AREA_OFFSET] == keb::SYSTEM_AREA_FLAG)
    iso.assign(SYSTEM_AREA_SIZE, 0);
  if (data_start < length)
  {
    iso.insert(iso.end(), keb.begin() + static_cast<long>(data_start), keb.end());
    const std::size_t tail = (length - data_start) % DATA_SECTOR_SIZE;
    if (tail != 0)
      iso.resize(iso.size() + DATA_SECTOR_SIZE - tail, 0);
  }
  return iso;
}

// The data part of the KEB image of a CD image: every whole sector from 16 on, whole or its user
// data only.
Bytes ExpectedKebData(std::span<const std::uint8_t> image, const SectorLayout& layout, bool raw)
{
  Bytes data;
  const std::size_t sectors = image.size() / layout.sector_size;
  for (std::size_t i = SYSTEM_AREA_SECTORS; i < sectors; ++i)
  {
    const auto sector = image.subspan(i * layout.sector_size, layout.sector_size);
    const auto stored = raw ? sector : sector.subspan(layout.user_data_offset, DATA_SECTOR_SIZE);
    data.insert(data.end(), stored.begin(), stored.end());
  }
  return data;
}

void CheckKebToIso(testing::ConversionRig& rig, std::span<const std::uint8_t> keb, ResultCode code)
{
  ResultCode expected_code = ResultCode::Done;
  const auto expected = ExpectedIso(keb, expected_code);
  FUZZ_CHECK(code == expected_code);
  if (code == ResultCode::Done)
    FUZZ_CHECK(rig.files.Data(DESTINATION) == *expected);
}

void CheckImageToKeb(testing::ConversionRig& rig, std::span<const std::uint8_t> image,
                     bool raw_answer, ResultCode code)
{
  const auto layout = image.size() >= static_cast<std::size_t>(MINIMUM_IMAGE_LENGTH)
                          ? fuzz::ExpectedLayout(image)
                          : std::nullopt;
  if (!layout)
  {
    FUZZ_CHECK(code == ResultCode::NotExpectedKind);
    return;
  }
  FUZZ_CHECK(code == ResultCode::Done);
  const bool raw = layout->number == 4 && raw_answer;
  const Bytes& keb = rig.files.Data(DESTINATION);
  const std::size_t data_start = raw ? keb::RAW_DATA_OFFSET : keb::PLAIN_DATA_OFFSET;
  FUZZ_CHECK(keb.size() >= data_start);
  const keb::Reading reading = keb::ReadHeader(keb);
  FUZZ_CHECK(reading.code == ResultCode::Done && reading.needs_record == raw);
  const auto image_size =
      static_cast<std::uint32_t>(ImageSize(*layout, static_cast<std::int64_t>(image.size())));
  FUZZ_CHECK(keb::LoadU32(keb, keb::IMAGE_SIZE_OFFSET) ==
             (raw ? image_size + keb::RAW_IMAGE_SIZE_BIAS : image_size));
  if (raw)
    FUZZ_CHECK(keb::LoadU32(keb, keb::SECTOR_COUNT_OFFSET) == image_size / DATA_SECTOR_SIZE);
  const Bytes data = ExpectedKebData(image, *layout, raw);
  FUZZ_CHECK(keb.size() == data_start + data.size());
  FUZZ_CHECK(std::equal(data.begin(), data.end(), keb.begin() + static_cast<long>(data_start)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  auto recipe = fuzz::ReadRecipe(std::span<const std::uint8_t>(data, size));
  if (!recipe)
    return 0;
  const bool to_iso = (recipe->flags & 4) != 0;
  const bool raw_answer = (recipe->flags & 8) != 0;
  Bytes& image = recipe->image;
  if (to_iso && (recipe->flags & 16))
    image.resize(std::min<std::size_t>(image.size(), recipe->number));

  testing::ConversionRig rig;
  rig.state.align_to_clock_second = false;
  rig.window.answers[text::QUESTION_START] = true;
  rig.window.answers[text::QUESTION_OVERWRITE] = true;
  rig.window.answers[text::QUESTION_SYSTEM_AREA] = true;
  rig.window.answers[text::QUESTION_RAW] = raw_answer;
  rig.files.Add(SOURCE, image);

  const ResultCode code =
      to_iso ? rig.RunKebToIso(SOURCE, DESTINATION) : rig.RunImageToKeb(SOURCE, DESTINATION);
  FUZZ_CHECK(rig.files.unclosed_count == 0 && rig.files.double_close_count == 0);
  if (to_iso)
    CheckKebToIso(rig, image, code);
  else
    CheckImageToKeb(rig, image, raw_answer, code);
  return 0;
}
