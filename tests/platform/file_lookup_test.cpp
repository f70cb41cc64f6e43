// The look-up of one file on real files in a temporary folder: whole 64-bit sizes (sparse files
// past 4 GiB), local times packed in FAT form under a TZ the tests set, and what is not a file.
#include "platform/file_lookup.h"

#include "temp_folder.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace vavizi
{
namespace
{

constexpr std::uint16_t FatDate(int year, int month, int day)
{
  return static_cast<std::uint16_t>(((year - 1980) << 9) | (month << 5) | day);
}

constexpr std::uint16_t FatTime(int hour, int minute, int second)
{
  return static_cast<std::uint16_t>((hour << 11) | (minute << 5) | (second / 2));
}

bool SetModificationTime(const std::string& path, std::time_t seconds)
{
  const timespec times[2] = {{seconds, 0}, {seconds, 0}};
  return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

// Sets TZ for one test and puts the old value back.
class ZoneFixture : public testing::Test
{
protected:
  // Only the variable: the look-up itself must notice the change.
  void SetZone(const char* zone) { ::setenv("TZ", zone, 1); }
  void TearDown() override
  {
    if (m_old_zone)
    {
      ::setenv("TZ", m_old_zone->c_str(), 1);
    }
    else
    {
      ::unsetenv("TZ");
    }
    ::tzset();
  }

  test::TempFolder m_folder;

private:
  std::optional<std::string> m_old_zone =
      std::getenv("TZ") != nullptr ? std::optional<std::string>(std::getenv("TZ")) : std::nullopt;
};

class FileLookUpSize : public ZoneFixture, public testing::WithParamInterface<long long>
{
};

TEST_P(FileLookUpSize, KeepsTheWhole64BitSize)
{
  const std::string path = m_folder.MakeFile("disc.iso", GetParam());
  ASSERT_FALSE(path.empty()) << "cannot make a sparse file of " << GetParam() << " bytes";
  const std::optional<FileRecord> record = LookUpFile(path);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->name, "disc.iso");
  EXPECT_EQ(record->size, static_cast<std::uint64_t>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(FileLookUp, FileLookUpSize,
                         testing::Values(0LL, 1234567LL, 2147484800LL, 4294964960LL, 4294967296LL,
                                         5000000000LL));

struct TimeCase
{
  const char* name;
  const char* zone;
  std::time_t seconds;
  std::uint16_t date;
  std::uint16_t time;
};

void PrintTo(const TimeCase& value, std::ostream* out)
{
  *out << value.name;
}

class FileLookUpTime : public ZoneFixture, public testing::WithParamInterface<TimeCase>
{
};

TEST_P(FileLookUpTime, PacksTheLocalModificationTime)
{
  const TimeCase& param = GetParam();
  SetZone(param.zone);
  const std::string path = m_folder.MakeFile("a.keb");
  ASSERT_TRUE(SetModificationTime(path, param.seconds));
  const std::optional<FileRecord> record = LookUpFile(path);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->date, param.date);
  EXPECT_EQ(record->time, param.time);
}

const TimeCase TIME_CASES[] = {
    // 2000-03-05 05:07:09 UTC
    {"OddSecondGoesDown", "JST-9", 952232829, FatDate(2000, 3, 5), FatTime(14, 7, 8)},
    {"SameInstantInUtc", "UTC0", 952232829, FatDate(2000, 3, 5), FatTime(5, 7, 8)},
    {"WestOfUtcIsTheDayBefore", "EST5", 952214700, FatDate(2000, 3, 4), FatTime(19, 5, 0)},
    {"MorningHour", "JST-9", 952214700, FatDate(2000, 3, 5), FatTime(9, 5, 0)},
    {"FirstSecondOf1980", "JST-9", 315500400, FatDate(1980, 1, 1), FatTime(0, 0, 0)},
    {"Before1980Clamped", "JST-9", 86400, FatDate(1980, 1, 1), FatTime(0, 0, 0)},
    {"BeforeTheEpochClamped", "UTC0", -86400, FatDate(1980, 1, 1), FatTime(0, 0, 0)},
    {"LastSecondOf2107", "JST-9", 4354786799, FatDate(2107, 12, 31), FatTime(23, 59, 58)},
    {"After2107Clamped", "UTC0", 7258118400, FatDate(2107, 12, 31), FatTime(23, 59, 58)},
};

INSTANTIATE_TEST_SUITE_P(FileLookUp, FileLookUpTime, testing::ValuesIn(TIME_CASES),
                         [](const auto& case_info) { return std::string(case_info.param.name); });

TEST_F(ZoneFixture, LookUpFollowsAChangeOfZoneWhileRunning)
{
  const std::string path = m_folder.MakeFile("b.img");
  ASSERT_TRUE(SetModificationTime(path, 952232829));
  SetZone("UTC0");
  EXPECT_EQ(LookUpFile(path)->time, FatTime(5, 7, 8));
  SetZone("JST-9");
  EXPECT_EQ(LookUpFile(path)->time, FatTime(14, 7, 8));
}

TEST_F(ZoneFixture, FindsOnlyRegularFiles)
{
  const std::string folder = m_folder.MakeFolder("folder.iso");
  EXPECT_FALSE(LookUpFile(folder));
  EXPECT_FALSE(LookUpFile(folder + "/"));
  EXPECT_FALSE(LookUpFile(m_folder / "missing.iso"));
  EXPECT_FALSE(LookUpFile(""));
  ASSERT_EQ(::symlink("nowhere.iso", (m_folder / "dangling.iso").c_str()), 0);
  EXPECT_FALSE(LookUpFile(m_folder / "dangling.iso"));
  ASSERT_EQ(::mkfifo((m_folder / "pipe.iso").c_str(), 0600), 0);
  EXPECT_FALSE(LookUpFile(m_folder / "pipe.iso"));
}

TEST_F(ZoneFixture, FollowsALinkToAFileAndNamesTheLink)
{
  m_folder.MakeFile("target.bin", 2048);
  ASSERT_EQ(::symlink("target.bin", (m_folder / "link.iso").c_str()), 0);
  const std::optional<FileRecord> record = LookUpFile(m_folder / "link.iso");
  ASSERT_TRUE(record);
  EXPECT_EQ(record->name, "link.iso");
  EXPECT_EQ(record->size, 2048U);
}

TEST_F(ZoneFixture, KeepsNameBytesThatAreNotUtf8)
{
  const std::string name = "\x83\x65\x83\x58\x83\x67.iso";  // "テスト.iso" in CP932
  ASSERT_FALSE(m_folder.MakeFile(name, 10).empty());
  const std::optional<FileRecord> record = LookUpFile(m_folder / name);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->name, name);
}

}  // namespace
}  // namespace vavizi
