// The KEB image format: the 512-byte header written in front of every image, the raw extension
// block of raw images, and the rules by which a reader decides whether it can convert an image
// back.
//
// A plain image (kind 0) is the header followed by the 2048 user-data bytes of every sector from
// sector 16 on. A raw image (kind 5) is the header, the raw extension block, then whole 2352-byte
// sectors from sector 16 on, starting at file offset 10102. The system area (sectors 0 to 15) is
// never stored. Numbers are unsigned 32-bit little-endian; text is CP932.
//
// Header (512 bytes):
//   offset  width  field               plain         raw
//   0       1      kind                0             5
//   2       1      -                   0             6
//   5       1      system-area flag    0x80          0x80     (0x80: restore 16 zero sectors)
//   8       4      image size          size          size + 274432
//   12      128    description         up to 126 bytes of CP932 text, then zeros
//   140     8      magic               "KEB V1.0"    "KEB V1.0"
//   148     1      -                   0 (ends the magic)
//   152     1      -                   0             0x10
//   156     2      -                   0             0x01 0x01
//   158     3      -                   0             0xFF 0xFF 0xFF
//   162     350    -                   0             70 groups of 5 bytes: 10 02 00 00 41, then
//                                                    69 x 00 02 00 00 00
//   every other byte is 0.
//
// Raw extension block (file offsets 512 to 10101):
//   512     1      -                   0x10
//   516     4      sector count        whole 2352-byte sectors of the source, system area included
//   520     1      compression kind    3 as written; a reader accepts only 0
//   521     4      data offset         10102: file offset of the first stored sector
//   528     9574   zero fill
//
// Reading: bytes 140-147 must be the magic (else result 1); kind must be 0 or 5 (else 2); for kind
// 5 byte 520 must be 0 (else 2) and bytes 521-524 give the data offset. Nothing else is read.
#pragma once

#include "core/result_code.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace vavizi::keb
{

inline constexpr std::size_t HEADER_SIZE = 512;
inline constexpr std::size_t RECORD_READ_SIZE = 256;  // read behind a kind-5 header
inline constexpr std::size_t RAW_BLOCK_SIZE = 9590;   // record and zero fill
inline constexpr std::uint32_t PLAIN_DATA_OFFSET = 512;
inline constexpr std::uint32_t RAW_DATA_OFFSET = 10102;
inline constexpr std::uint32_t RAW_IMAGE_SIZE_BIAS = 274432;
inline constexpr std::size_t DESCRIPTION_MAX_BYTES = 126;
inline constexpr std::uint8_t KIND_PLAIN = 0;
inline constexpr std::uint8_t KIND_RAW = 5;
inline constexpr std::uint8_t SYSTEM_AREA_FLAG = 0x80;

inline constexpr std::size_t KIND_OFFSET = 0;
inline constexpr std::size_t SYSTEM_AREA_OFFSET = 5;
inline constexpr std::size_t IMAGE_SIZE_OFFSET = 8;
inline constexpr std::size_t DESCRIPTION_OFFSET = 12;
inline constexpr std::size_t DESCRIPTION_FIELD_SIZE = 128;
inline constexpr std::size_t MAGIC_OFFSET = 140;
inline constexpr std::string_view MAGIC = "KEB V1.0";
inline constexpr std::size_t SECTOR_COUNT_OFFSET = 516;
inline constexpr std::size_t COMPRESSION_OFFSET = 520;
inline constexpr std::size_t DATA_OFFSET_OFFSET = 521;

enum class Form
{
  Plain,
  Raw,
};

// The header by the writing rules. `description` is CP932 text already cut to at most 126 bytes.
[[nodiscard]] std::array<std::uint8_t, HEADER_SIZE> BuildHeader(Form form, std::uint32_t image_size,
                                                                std::string_view description);

// The raw extension block for a source of `sector_count` whole sectors.
[[nodiscard]] std::array<std::uint8_t, RAW_BLOCK_SIZE> BuildRawBlock(std::uint32_t sector_count);

// What the reading rules yield for an image.
struct Reading
{
  ResultCode code = ResultCode::Done;  // Done, NotExpectedKind or NotUncompressed
  bool needs_record = false;           // kind 5: read bytes 512 to 767 and call ReadRecord
  bool system_area = false;            // 16 zero sectors go in front of the data
  std::uint32_t data_offset = PLAIN_DATA_OFFSET;
};

// Applies the header rules to the bytes read from offset 0 (up to 512). A file too short to hold
// the magic is not a KEB image.
[[nodiscard]] Reading ReadHeader(std::span<const std::uint8_t> header);

// Applies the kind-5 rules to the bytes read from offset 0 (header and record, up to 768). A file
// too short to hold the compression kind and data offset is refused as not uncompressed.
[[nodiscard]] Reading ReadRecord(const Reading& header_reading,
                                 std::span<const std::uint8_t> header_and_record);

// The data offset from a header and record read again from offset 0 (0 bytes short yields 512).
[[nodiscard]] std::uint32_t DataOffset(std::span<const std::uint8_t> header_and_record);

// Little-endian helpers shared by the format's readers and writers.
[[nodiscard]] std::uint32_t LoadU32(std::span<const std::uint8_t> bytes, std::size_t offset);
void StoreU32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value);

}  // namespace vavizi::keb
