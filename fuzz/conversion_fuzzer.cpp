// Runs both conversion routines, or the whole conversion command, over the test fakes on a small
// source image built from the input (see image_recipe.h), every question answered Yes except the
// raw one, which the input decides. Nothing may crash, every file opened is closed once, a Done
// result leaves exactly the bytes the format rules give for that source, and a source refused
// before the destination is opened leaves an existing destination as it was.
//   flags: bit 2 KEB image to ISO image (else CD image to KEB image); bit 3 answer Yes to keeping
//          whole 2352-byte sectors; bit 4 (KEB images) cut the image to `number` bytes; bit 5 run
//          the command on a selected file (else the routine); bit 6 a destination already exists
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

// Names the command accepts: it picks the direction and the destination by extension.
const std::string ISO_SOURCE = "/in/disc.iso";
const std::string KEB_DESTINATION = "/out/disc.KEB";
const std::string KEB_SOURCE = "/in/disc.keb";
const std::string ISO_DESTINATION = "/out/disc.ISO";

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

// The result code the rules give; on Done, checks the ISO image written.
ResultCode CheckKebToIso(const Bytes& iso, std::span<const std::uint8_t> keb)
{
  ResultCode code = ResultCode::Done;
  const auto expected = ExpectedIso(keb, code);
  if (code == ResultCode::Done)
    FUZZ_CHECK(iso == *expected);
  return code;
}

// The result code the rules give; on Done, checks the KEB image written.
ResultCode CheckImageToKeb(const Bytes& keb, std::span<const std::uint8_t> image, bool raw_answer)
{
  const auto layout = image.size() >= static_cast<std::size_t>(MINIMUM_IMAGE_LENGTH)
                          ? fuzz::ExpectedLayout(image)
                          : std::nullopt;
  if (!layout)
    return ResultCode::NotExpectedKind;
  const bool raw = layout->number == 4 && raw_answer;
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
  return ResultCode::Done;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  auto recipe = fuzz::ReadRecipe(std::span<const std::uint8_t>(data, size));
  if (!recipe)
    return 0;
  const bool to_iso = (recipe->flags & 4) != 0;
  const bool raw_answer = (recipe->flags & 8) != 0;
  const bool whole_command = (recipe->flags & 32) != 0;
  const bool destination_exists = (recipe->flags & 64) != 0;
  Bytes& image = recipe->image;
  if (to_iso && (recipe->flags & 16))
    image.resize(std::min<std::size_t>(image.size(), recipe->number));
  const std::string& source = to_iso ? KEB_SOURCE : ISO_SOURCE;
  const std::string& destination = to_iso ? ISO_DESTINATION : KEB_DESTINATION;
  const Bytes earlier(100, 0x77);

  testing::ConversionRig rig;
  rig.state.align_to_clock_second = false;
  rig.window.answers[text::QUESTION_START] = true;
  rig.window.answers[text::QUESTION_OVERWRITE] = true;
  rig.window.answers[text::QUESTION_SYSTEM_AREA] = true;
  rig.window.answers[text::QUESTION_RAW] = raw_answer;
  rig.files.Add(source, image);
  if (destination_exists)
    rig.files.Add(destination, earlier);

  std::optional<ResultCode> code;
  if (whole_command)
  {
    rig.RunCommand(source);
    FUZZ_CHECK(!rig.state.command_running && !rig.state.source && !rig.state.destination);
  }
  else
  {
    code = to_iso ? rig.RunKebToIso(source, destination) : rig.RunImageToKeb(source, destination);
  }
  FUZZ_CHECK(rig.files.unclosed_count == 0 && rig.files.double_close_count == 0);

  static const Bytes NOTHING;
  const Bytes& written = rig.files.Has(destination) ? rig.files.Data(destination) : NOTHING;
  const ResultCode expected =
      to_iso ? CheckKebToIso(written, image) : CheckImageToKeb(written, image, raw_answer);
  if (code)
    FUZZ_CHECK(*code == expected);
  else
    FUZZ_CHECK(
        rig.window.Text(Control::Panel1) ==
        ResultMessage(to_iso ? Direction::KebToIso : Direction::ImageToKeb, expected, destination));
  // Refused before the destination was opened: nothing there has changed.
  if (expected == ResultCode::NotExpectedKind || expected == ResultCode::NotUncompressed)
  {
    FUZZ_CHECK(rig.files.Has(destination) == destination_exists);
    if (destination_exists)
      FUZZ_CHECK(rig.files.Data(destination) == earlier);
  }
  return 0;
}
