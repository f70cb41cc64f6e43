// Feeds arbitrary bytes to the KEB reading rules, and checks that every header this program writes
// is one it reads back: plain images as convertible, raw ones (compression kind 3 as written) as
// not uncompressed until their compression byte is cleared.
#include "fuzz_check.h"

#include "core/keb_format.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>
#include <span>
#include <vector>

using namespace vavizi;

namespace
{

constexpr std::size_t HEADER_AND_RECORD_SIZE = keb::HEADER_SIZE + keb::RECORD_READ_SIZE;

void ReadArbitraryBytes(std::span<const std::uint8_t> bytes)
{
  const auto header = bytes.first(std::min(bytes.size(), keb::HEADER_SIZE));
  const keb::Reading reading = keb::ReadHeader(header);
  const bool has_magic =
      header.size() >= keb::MAGIC_OFFSET + keb::MAGIC.size() &&
      std::equal(keb::MAGIC.begin(), keb::MAGIC.end(), header.begin() + keb::MAGIC_OFFSET);
  if (!has_magic)
  {
    FUZZ_CHECK(reading.code == ResultCode::NotExpectedKind);
    return;
  }
  const std::uint8_t kind = header[keb::KIND_OFFSET];
  if (kind != keb::KIND_PLAIN && kind != keb::KIND_RAW)
  {
    FUZZ_CHECK(reading.code == ResultCode::NotUncompressed);
    return;
  }
  FUZZ_CHECK(reading.code == ResultCode::Done);
  FUZZ_CHECK(reading.needs_record == (kind == keb::KIND_RAW));
  FUZZ_CHECK(reading.system_area == (header[keb::SYSTEM_AREA_OFFSET] == keb::SYSTEM_AREA_FLAG));
  FUZZ_CHECK(reading.data_offset == keb::PLAIN_DATA_OFFSET);
  if (!reading.needs_record)
    return;

  const auto record = bytes.first(std::min(bytes.size(), HEADER_AND_RECORD_SIZE));
  const keb::Reading full = keb::ReadRecord(reading, record);
  FUZZ_CHECK(!full.needs_record);
  FUZZ_CHECK(full.system_area == reading.system_area);
  const bool readable =
      record.size() >= keb::DATA_OFFSET_OFFSET + 4 && record[keb::COMPRESSION_OFFSET] == 0;
  if (!readable)
  {
    FUZZ_CHECK(full.code == ResultCode::NotUncompressed);
    return;
  }
  FUZZ_CHECK(full.code == ResultCode::Done);
  FUZZ_CHECK(full.data_offset == keb::LoadU32(record, keb::DATA_OFFSET_OFFSET));
  FUZZ_CHECK(keb::DataOffset(record) == full.data_offset);
}

void RoundTrip(FuzzedDataProvider& input)
{
  const bool raw = input.ConsumeBool();
  const auto image_size = input.ConsumeIntegral<std::uint32_t>();
  const std::string description = input.ConsumeRandomLengthString(keb::DESCRIPTION_MAX_BYTES + 8);
  const auto header =
      keb::BuildHeader(raw ? keb::Form::Raw : keb::Form::Plain, image_size, description);

  const std::size_t stored = std::min(description.size(), keb::DESCRIPTION_MAX_BYTES);
  FUZZ_CHECK(std::memcmp(description.data(), header.data() + keb::DESCRIPTION_OFFSET, stored) == 0);
  // The field always ends in zeros, so a reader finds the end of the text.
  FUZZ_CHECK(std::all_of(header.begin() + static_cast<long>(keb::DESCRIPTION_OFFSET + stored),
                         header.begin() + keb::MAGIC_OFFSET,
                         [](std::uint8_t b) { return b == 0; }));
  FUZZ_CHECK(keb::LoadU32(header, keb::IMAGE_SIZE_OFFSET) ==
             (raw ? image_size + keb::RAW_IMAGE_SIZE_BIAS : image_size));

  const keb::Reading reading = keb::ReadHeader(header);
  FUZZ_CHECK(reading.code == ResultCode::Done);
  FUZZ_CHECK(reading.system_area);
  FUZZ_CHECK(reading.needs_record == raw);
  if (!raw)
  {
    FUZZ_CHECK(keb::DataOffset(header) == keb::PLAIN_DATA_OFFSET);
    return;
  }

  const auto block = keb::BuildRawBlock(input.ConsumeIntegral<std::uint32_t>());
  std::vector<std::uint8_t> image(header.begin(), header.end());
  image.insert(image.end(), block.begin(), block.end());
  const auto record = std::span<const std::uint8_t>(image).first(HEADER_AND_RECORD_SIZE);
  FUZZ_CHECK(keb::ReadRecord(reading, record).code == ResultCode::NotUncompressed);

  image[keb::COMPRESSION_OFFSET] = 0;
  const keb::Reading cleared = keb::ReadRecord(reading, record);
  FUZZ_CHECK(cleared.code == ResultCode::Done);
  FUZZ_CHECK(cleared.data_offset == keb::RAW_DATA_OFFSET);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::span<const std::uint8_t> bytes(data, size);
  ReadArbitraryBytes(bytes);
  (void)keb::DataOffset(bytes);
  FuzzedDataProvider input(data, size);
  RoundTrip(input);
  return 0;
}
