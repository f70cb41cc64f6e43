// The small text rules: digit grouping, free-space figures, file information, CP932 and paths.
#include "core/centring.h"
#include "core/cp932.h"
#include "core/digit_grouping.h"
#include "core/file_info.h"
#include "core/free_space.h"
#include "core/path_rules.h"
#include "core/progress.h"

#include <gtest/gtest.h>

namespace vavizi
{
namespace
{

TEST(DigitGrouping, GroupsOfThree)
{
  const std::pair<std::uint64_t, const char*> cases[] = {
      {0, "0"},
      {999, "999"},
      {1000, "1,000"},
      {1234567, "1,234,567"},
      {1000000000, "1,000,000,000"},
      {4294967295u, "4,294,967,295"},
      {5000000000ull, "5,000,000,000"},
      {18446744073709551615ull, "18,446,744,073,709,551,615"},
  };
  for (const auto& [value, text] : cases)
    EXPECT_EQ(GroupDigits(value), text) << value;
}

TEST(FreeSpace, FigureKeepsAll64Bits)
{
  const std::pair<std::int64_t, const char*> cases[] = {
      {-1, "空 0KByte"},
      {999, "空 0KByte"},
      {1500000000, "空 1,500,000KByte"},
      {3000000000000, "空 3,000,000,000KByte"},
      {5000000000000, "空 5,000,000,000KByte"},
  };
  for (const auto& [bytes, text] : cases)
    EXPECT_EQ(FreeSpaceText(FreeSpaceFigure(bytes)), text) << bytes;
  EXPECT_EQ(FreeSpaceFigure(5000000000000), 5000000000);
}

TEST(FileInfo, SectorSizeGuess)
{
  struct Case
  {
    const char* name;
    std::uint64_t size;
    const char* text;
  };
  const Case cases[] = {
      {"x.keb", 1234567, "2048Byte/ｾｸﾀ"},
      {"X.KEB", 0, "2048Byte/ｾｸﾀ"},
      {"empty.iso", 0, "2048Byte/ｾｸﾀ"},
      {"a.iso", 1234567, "????Byte/ｾｸﾀ"},
      {"a.img", 5494272, "2336Byte/ｾｸﾀ"},  // multiple of 2336 and 2352
      {"a.img", 4784128, "2048Byte/ｾｸﾀ"},  // multiple of 2048 and 2336
      {"a.img", 2352 * 7, "2352Byte/ｾｸﾀ"},
      {"disc.old.keb", 1234567, "????Byte/ｾｸﾀ"},  // the extension runs from the first dot
      {"big.iso", 4294967296ull, "2048Byte/ｾｸﾀ"},
      {"big.iso", 4294964960ull, "????Byte/ｾｸﾀ"},
      {"big.img", 2147484800ull, "2336Byte/ｾｸﾀ"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SectorSizeText(c.name, c.size), c.text) << c.name << " " << c.size;
}

TEST(FileInfo, SizeAndPackedDateAndTime)
{
  EXPECT_EQ(SizeText(1234567), "1,234,567Byte");
  EXPECT_EQ(SizeText(4294967296ull), "4,294,967,296Byte");

  const FatDateTime odd = PackFatDateTime({2000, 3, 5, 14, 7, 9});
  EXPECT_EQ(DateText(odd.date), "2000-03-05");
  EXPECT_EQ(TimeText(odd.time), "14:07:08");
  EXPECT_EQ(TimeText(PackFatDateTime({2000, 3, 5, 9, 5, 0}).time), "09:05:00");

  const FatDateTime early = PackFatDateTime({1970, 1, 1, 9, 0, 0});
  EXPECT_EQ(DateText(early.date), "1980-01-01");
  EXPECT_EQ(TimeText(early.time), "00:00:00");
  const FatDateTime late = PackFatDateTime({2200, 6, 1, 0, 0, 0});
  EXPECT_EQ(DateText(late.date), "2107-12-31");
  EXPECT_EQ(TimeText(late.time), "23:59:58");
}

TEST(Cp932, ConvertsBothWays)
{
  EXPECT_EQ(Utf8ToCp932("ＩＳＯｔｏRID"),
            "\x82\x68\x82\x72\x82\x6E\x82\x94\x82\x8F"
            "RID");
  EXPECT_EQ(Utf8ToCp932("～"), "\x81\x60");
  EXPECT_EQ(Utf8ToCp932("a\\b"), "a\\b") << "0x5C stays a backslash";
  EXPECT_EQ(Utf8ToCp932("ｾｸﾀ"), "\xBE\xB8\xC0");
  EXPECT_EQ(Utf8ToCp932("a😀c"), "a?c") << "a character CP932 cannot hold";
  EXPECT_EQ(Utf8ToCp932("a\xFF"
                        "b"),
            "a?b")
      << "invalid UTF-8";
  EXPECT_EQ(Cp932ToUtf8("\x82\x68\x82\x72\x82\x6E"), "ＩＳＯ");
  EXPECT_EQ(Cp932ToUtf8("ok\x82"), "ok\xEF\xBF\xBD") << "a lead byte at the end";
}

TEST(Cp932, MixedMessageDecodesEachRunByItsOwnEncoding)
{
  // "ディスク" and "表" in CP932: trail bytes 0x42, 0x4E and 0x5C are ASCII.
  EXPECT_EQ(MixedToUtf8("ﾌｧｲﾙ(/in/\x83\x66\x83\x42\x83\x58\x83\x4E.KEB)が出来ました"),
            "ﾌｧｲﾙ(/in/ディスク.KEB)が出来ました");
  EXPECT_EQ(MixedToUtf8("(\x95\x5C/x)が"), "(表/x)が");
  EXPECT_EQ(MixedToUtf8("ﾌｧｲﾙ(/ディスク)"), "ﾌｧｲﾙ(/ディスク)") << "valid UTF-8 stays";
  EXPECT_EQ(MixedToUtf8("a\xFF"), "a\xEF\xBF\xBD") << "no character in either";
  EXPECT_EQ(MixedToUtf8(""), "");
}

TEST(Cp932, CutNeverSplitsADoubleByteCharacter)
{
  const std::string ascii(200, 'a');
  EXPECT_EQ(CutCp932(ascii, 126).size(), 126u);

  std::string mixed(125, 'a');
  mixed += "\x82\xA0";  // one double-byte character across bytes 125 and 126
  EXPECT_EQ(CutCp932(mixed, 126).size(), 125u);

  std::string wide;
  for (int i = 0; i < 70; ++i)
    wide += "\x82\xA0";
  EXPECT_EQ(CutCp932(wide, 126).size(), 126u);

  std::string with_kana = "\xB1" + wide;  // half-width kana is one byte
  EXPECT_EQ(CutCp932(with_kana, 126).size(), 125u);
  EXPECT_EQ(CutCp932("short", 126), "short");
}

TEST(PathRules, SourceNameExtensionAndDestination)
{
  struct Case
  {
    const char* source;
    const char* folder;
    const char* extension;    // nullptr when the name has no dot
    const char* destination;  // nullptr when the extension is refused
  };
  const Case cases[] = {
      {"/in/disc.keb", "/", ".KEB", "/disc.ISO"},
      {"/in/disc.KEB", "/out", ".KEB", "/out/disc.ISO"},
      {"/in/disc.iso", "/out", ".ISO", "/out/disc.KEB"},
      {"/in/disc.img", "/out/", ".IMG", "/out/disc.KEB"},
      {"/cd.images/disc.iso", "/out", ".ISO", "/out/disc.KEB"},
      {"/in/disc.iso", "/OUT.2", ".ISO", "/OUT.2/disc.KEB"},
      {"/in/disc.old.iso", "/out", ".OLD.ISO", nullptr},
      {"/in/disc", "/out", nullptr, nullptr},
      {"/in.d/disc", "/out", nullptr, nullptr},
      {"/in/.iso", "/out", ".ISO", "/out/.KEB"},
      {"/in/disc.txt", "/out", ".TXT", nullptr},
      {"/in/ディスク.iso", "/出力", ".ISO", "/出力/ディスク.KEB"},
      {"/in/x\\y.iso", "/a\\", ".ISO", "/a\\/x\\y.KEB"},
  };
  for (const Case& c : cases)
  {
    const std::string_view name = FileNameOf(c.source);
    const auto extension = ExtensionOf(name);
    ASSERT_EQ(extension.has_value(), c.extension != nullptr) << c.source;
    if (!extension)
      continue;
    EXPECT_EQ(*extension, c.extension) << c.source;
    const auto plan = PlanForExtension(*extension);
    ASSERT_EQ(plan.has_value(), c.destination != nullptr) << c.source;
    if (plan)
      EXPECT_EQ(JoinDestinationPath(c.folder, BaseNameOf(name), plan->new_extension),
                c.destination);
  }
}

TEST(ProgressTexts, Formats)
{
  EXPECT_EQ(PercentText(0), "(  0%)");
  EXPECT_EQ(PercentText(7), "(  7%)");
  EXPECT_EQ(PercentText(100), "(100%)");
  EXPECT_EQ(RemainingText(3725), "62:05");
  EXPECT_EQ(RemainingText(59), "00:59");
  EXPECT_EQ(RemainingText(6000 * 60 + 1), "6000:01");
  EXPECT_EQ(ProgressTitle(42, 83), "変換済( 42%)残 01:23");
}

TEST(Centring, HalvesTowardZero)
{
  const WindowBox main{100, 200, 500, 400};
  const std::pair<int, int> cases[] = {{397, 201}, {403, 199}, {401, 200}, {400, 200}};
  for (const auto& [height, top] : cases)
    EXPECT_EQ(CentredTop(main, height), top) << height;
  EXPECT_EQ(CentredLeft(main, 503), 99);
  EXPECT_EQ(CentredLeft(main, 497), 101);
}

}  // namespace
}  // namespace vavizi
