// Writing and reading rules of the KEB header and the raw extension block.
#include "core/keb_format.h"

#include <algorithm>

namespace vavizi::keb
{

namespace
{

constexpr std::uint8_t RAW_SUBKIND = 6;  // byte 2 of a raw header
constexpr std::size_t RAW_SUBKIND_OFFSET = 2;
constexpr std::size_t RAW_TABLE_OFFSET = 162;  // 70 groups of 5 bytes follow
constexpr std::size_t RAW_TABLE_GROUP = 5;
constexpr std::uint8_t RAW_COMPRESSION_WRITTEN = 3;
constexpr std::size_t RECORD_OFFSET = HEADER_SIZE;

}  // namespace

std::uint32_t LoadU32(std::span<const std::uint8_t> bytes, std::size_t offset)
{
  return static_cast<std::uint32_t>(bytes[offset]) |
         static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
         static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

void StoreU32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value)
{
  for (std::size_t i = 0; i < 4; ++i)
    bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::array<std::uint8_t, HEADER_SIZE> BuildHeader(Form form, std::uint32_t image_size,
                                                  std::string_view description)
{
  std::array<std::uint8_t, HEADER_SIZE> header{};
  const bool raw = form == Form::Raw;
  if (raw)
  {
    header[KIND_OFFSET] = KIND_RAW;
    header[RAW_SUBKIND_OFFSET] = RAW_SUBKIND;
  }
  header[SYSTEM_AREA_OFFSET] = SYSTEM_AREA_FLAG;
  StoreU32(header, IMAGE_SIZE_OFFSET, raw ? image_size + RAW_IMAGE_SIZE_BIAS : image_size);
  const std::size_t length = std::min(description.size(), DESCRIPTION_MAX_BYTES);
  std::copy_n(description.begin(), length, header.begin() + DESCRIPTION_OFFSET);
  std::copy(MAGIC.begin(), MAGIC.end(), header.begin() + MAGIC_OFFSET);
  if (raw)
  {
    header[152] = 0x10;
    header[156] = 0x01;
    header[157] = 0x01;
    header[158] = 0xFF;
    header[159] = 0xFF;
    header[160] = 0xFF;
    header[RAW_TABLE_OFFSET] = 0x10;
    header[RAW_TABLE_OFFSET + 4] = 0x41;
    for (std::size_t at = RAW_TABLE_OFFSET + 1; at < HEADER_SIZE; at += RAW_TABLE_GROUP)
      header[at] = 0x02;
  }
  return header;
}

std::array<std::uint8_t, RAW_BLOCK_SIZE> BuildRawBlock(std::uint32_t sector_count)
{
  std::array<std::uint8_t, RAW_BLOCK_SIZE> block{};
  block[0] = 0x10;
  StoreU32(block, SECTOR_COUNT_OFFSET - RECORD_OFFSET, sector_count);
  block[COMPRESSION_OFFSET - RECORD_OFFSET] = RAW_COMPRESSION_WRITTEN;
  StoreU32(block, DATA_OFFSET_OFFSET - RECORD_OFFSET, RAW_DATA_OFFSET);
  return block;
}

Reading ReadHeader(std::span<const std::uint8_t> header)
{
  Reading reading;
  if (header.size() < MAGIC_OFFSET + MAGIC.size() ||
      !std::equal(MAGIC.begin(), MAGIC.end(), header.begin() + MAGIC_OFFSET))
  {
    reading.code = ResultCode::NotExpectedKind;
    return reading;
  }
  const std::uint8_t kind = header[KIND_OFFSET];
  if (kind != KIND_PLAIN && kind != KIND_RAW)
  {
    reading.code = ResultCode::NotUncompressed;
    return reading;
  }
  reading.needs_record = kind == KIND_RAW;
  reading.system_area = header[SYSTEM_AREA_OFFSET] == SYSTEM_AREA_FLAG;
  return reading;
}

Reading ReadRecord(const Reading& header_reading, std::span<const std::uint8_t> header_and_record)
{
  Reading reading = header_reading;
  reading.needs_record = false;
  if (header_and_record.size() < DATA_OFFSET_OFFSET + 4 ||
      header_and_record[COMPRESSION_OFFSET] != 0)
  {
    reading.code = ResultCode::NotUncompressed;
    return reading;
  }
  reading.data_offset = DataOffset(header_and_record);
  return reading;
}

std::uint32_t DataOffset(std::span<const std::uint8_t> header_and_record)
{
  if (header_and_record.size() < DATA_OFFSET_OFFSET + 4 ||
      header_and_record[KIND_OFFSET] != KIND_RAW)
    return PLAIN_DATA_OFFSET;
  return LoadU32(header_and_record, DATA_OFFSET_OFFSET);
}

}  // namespace vavizi::keb
