// The KEB header and raw extension block as written, and the reading rules.
#include "core/keb_format.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vavizi::keb
{
namespace
{

using Bytes = std::vector<std::uint8_t>;

TEST(KebHeader, PlainHeaderHoldsSizeDescriptionAndMagicOnly)
{
  const std::string description =
      "\x82\x68\x82\x72\x82\x6E\x82\x94\x82\x8F"
      "RID";  // ＩＳＯｔｏRID
  const auto header = BuildHeader(Form::Plain, 300 * 2048, description);

  Bytes expected(HEADER_SIZE, 0);
  expected[5] = 0x80;
  expected[8] = 0x00;
  expected[9] = 0x60;
  expected[10] = 0x09;  // 614400 = 0x00096000
  std::copy(description.begin(), description.end(), expected.begin() + 12);
  const std::string magic = "KEB V1.0";
  std::copy(magic.begin(), magic.end(), expected.begin() + 140);
  EXPECT_EQ(Bytes(header.begin(), header.end()), expected);
  EXPECT_EQ(header[25], 0) << "the 13-byte default description ends at offset 24";
}

TEST(KebHeader, RawHeaderCarriesFixedValuesAndBiasedSize)
{
  const auto header = BuildHeader(Form::Raw, 1000 * 2048, "");
  EXPECT_EQ(header[0], 5);
  EXPECT_EQ(header[2], 6);
  EXPECT_EQ(header[5], 0x80);
  EXPECT_EQ(LoadU32(header, 8), 1000u * 2048u + 274432u);
  for (std::size_t at = 12; at < 140; ++at)
    EXPECT_EQ(header[at], 0) << "description byte " << at;
  EXPECT_EQ(header[152], 0x10);
  EXPECT_EQ(header[156], 0x01);
  EXPECT_EQ(header[157], 0x01);
  EXPECT_EQ(header[158], 0xFF);
  EXPECT_EQ(header[160], 0xFF);
  EXPECT_EQ(header[161], 0x00);
  EXPECT_EQ(header[162], 0x10);
  EXPECT_EQ(header[166], 0x41);
  int twos = 0;
  for (std::size_t at = 163; at < 512; ++at)
  {
    if ((at - 163) % 5 == 0)
    {
      EXPECT_EQ(header[at], 0x02) << at;
      ++twos;
    }
    else if (at != 166)
    {
      EXPECT_EQ(header[at], 0x00) << at;
    }
  }
  EXPECT_EQ(twos, 70);
}

TEST(KebHeader, DescriptionIsCappedAt126BytesWithZeroBehind)
{
  const std::string long_text(200, 'A');
  const auto header = BuildHeader(Form::Plain, 0, long_text);
  EXPECT_EQ(header[12 + 125], 'A');
  EXPECT_EQ(header[138], 0);
  EXPECT_EQ(header[139], 0);
}

TEST(KebRawBlock, RecordThenZeroFill)
{
  const auto block = BuildRawBlock(1000);
  ASSERT_EQ(block.size(), 9590u);
  const Bytes record = {0x10, 0, 0, 0, 0xE8, 0x03, 0, 0, 0x03, 0x76, 0x27, 0, 0, 0, 0, 0};
  EXPECT_EQ(Bytes(block.begin(), block.begin() + 16), record);
  EXPECT_TRUE(std::all_of(block.begin() + 16, block.end(), [](std::uint8_t b) { return b == 0; }));
}

struct ReadingCase
{
  const char* name;
  std::size_t length;  // bytes the file holds (the reader gets at most 768)
  std::uint8_t kind;
  std::uint8_t flag;
  bool good_magic;
  std::uint8_t compression;  // byte 520
  std::uint32_t offset;      // bytes 521 to 524
  ResultCode code;
  bool system_area;
  std::uint32_t data_offset;
};

class KebReading : public ::testing::TestWithParam<ReadingCase>
{
};

TEST_P(KebReading, AppliesTheRulesInOrder)
{
  const ReadingCase& c = GetParam();
  Bytes file(std::max<std::size_t>(c.length, 768), 0);
  file[0] = c.kind;
  file[5] = c.flag;
  if (c.good_magic)
    std::copy_n("KEB V1.0", 8, file.begin() + 140);
  else
    std::copy_n("KEB V1.1", 8, file.begin() + 140);
  file[520] = c.compression;
  StoreU32(file, 521, c.offset);
  file.resize(c.length);

  const std::span<const std::uint8_t> bytes(file);
  Reading reading = ReadHeader(bytes.first(std::min<std::size_t>(file.size(), 512)));
  if (reading.code == ResultCode::Done && reading.needs_record)
    reading = ReadRecord(reading, bytes.first(std::min<std::size_t>(file.size(), 768)));

  EXPECT_EQ(reading.code, c.code);
  if (c.code == ResultCode::Done)
  {
    EXPECT_EQ(reading.system_area, c.system_area);
    EXPECT_EQ(reading.data_offset, c.data_offset);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, KebReading,
    ::testing::Values(
        ReadingCase{"PlainWithSystemArea", 4096, 0, 0x80, true, 0, 0, ResultCode::Done, true, 512},
        ReadingCase{"PlainWithoutSystemArea", 4096, 0, 0x00, true, 0, 0, ResultCode::Done, false,
                    512},
        ReadingCase{"FlagMustBeExactly0x80", 4096, 0, 0x81, true, 0, 0, ResultCode::Done, false,
                    512},
        ReadingCase{"WrongMagicBeatsKind", 4096, 7, 0x80, false, 0, 0, ResultCode::NotExpectedKind,
                    false, 0},
        ReadingCase{"UnknownKind", 4096, 7, 0x80, true, 0, 0, ResultCode::NotUncompressed, false,
                    0},
        ReadingCase{"RawAsWrittenIsRefused", 20000, 5, 0x80, true, 3, 10102,
                    ResultCode::NotUncompressed, false, 0},
        ReadingCase{"RawUncompressedGivesItsOffset", 20000, 5, 0x80, true, 0, 0x01000000,
                    ResultCode::Done, true, 16777216},
        ReadingCase{"EmptyFile", 0, 0, 0, false, 0, 0, ResultCode::NotExpectedKind, false, 0},
        ReadingCase{"TooShortForTheMagic", 147, 0, 0x80, true, 0, 0, ResultCode::NotExpectedKind,
                    false, 0},
        ReadingCase{"JustHoldsTheMagic", 148, 0, 0x80, true, 0, 0, ResultCode::Done, true, 512},
        ReadingCase{"RawTooShortForTheRecord", 524, 5, 0x80, true, 0, 0,
                    ResultCode::NotUncompressed, false, 0},
        ReadingCase{"RawJustHoldsTheRecord", 525, 5, 0x80, true, 0, 600, ResultCode::Done, true,
                    600}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vavizi::keb
