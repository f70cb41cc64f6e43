// Writing and reading the window state file.
#include "core/window_state_file.h"

#include <gtest/gtest.h>

namespace vavizi
{
namespace
{

TEST(WindowStateFile, WritesSixLines)
{
  EXPECT_EQ(FormatWindowState(333, -159, {'c', "/work"}, {'d', "/media/out dir"}),
            "333\n-159\nc\n/work\nd\n/media/out dir\n");
}

struct ParseCase
{
  const char* name;
  const char* content;
  bool parsed;
  int left;
  int top;
  const char* source_folder;       // nullptr: no source side
  const char* destination_folder;  // nullptr: no destination side
  char source_drive;
  char destination_drive;
};

class WindowStateParse : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(WindowStateParse, ReadsWhatThereIs)
{
  const ParseCase& c = GetParam();
  const auto state = ParseWindowState(c.content);
  ASSERT_EQ(state.has_value(), c.parsed);
  if (!state)
    return;
  EXPECT_EQ(state->left, c.left);
  EXPECT_EQ(state->top, c.top);
  ASSERT_EQ(state->source.has_value(), c.source_folder != nullptr);
  if (state->source)
  {
    EXPECT_EQ(state->source->folder, c.source_folder);
    EXPECT_EQ(state->source->drive, c.source_drive);
  }
  ASSERT_EQ(state->destination.has_value(), c.destination_folder != nullptr);
  if (state->destination)
  {
    EXPECT_EQ(state->destination->folder, c.destination_folder);
    EXPECT_EQ(state->destination->drive, c.destination_drive);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowStateParse,
    ::testing::Values(
        ParseCase{"SixLines", "333\n159\nc\n/work\nd\n/out\n", true, 333, 159, "/work", "/out", 'c',
                  'd'},
        ParseCase{"FolderWithSpaces", "1\n2\nc\n/home/user/My Images\nc\n/a b\n", true, 1, 2,
                  "/home/user/My Images", "/a b", 'c', 'c'},
        ParseCase{"OldFileWithCrLf", "333\r\n159\r\nc\r\nC:\\WORK\r\nd\r\nD:\\OUT\r\n", true, 333,
                  159, "C:\\WORK", "D:\\OUT", 'c', 'd'},
        ParseCase{"UpperCaseDriveKeptAsItIs", "0\n0\nC\n/\nd\n/x\n", true, 0, 0, "/", "/x", 'C',
                  'd'},
        ParseCase{"OnlyTwoIntegers", "100 200", true, 100, 200, nullptr, nullptr, 0, 0},
        ParseCase{"OffScreen", "-2000\n-5\n", true, -2000, -5, nullptr, nullptr, 0, 0},
        ParseCase{"EndsAfterSourceSide", "1\n2\nc\n/w\n", true, 1, 2, "/w", nullptr, 'c', 0},
        ParseCase{"EndsAfterSourceDrive", "1\n2\nc\n", true, 1, 2, nullptr, nullptr, 0, 0},
        ParseCase{"NoIntegers", "left\ntop\n", false, 0, 0, nullptr, nullptr, 0, 0},
        ParseCase{"Empty", "", false, 0, 0, nullptr, nullptr, 0, 0},
        ParseCase{"OneInteger", "5\n", false, 0, 0, nullptr, nullptr, 0, 0},
        ParseCase{"HugeInteger", "99999999999\n1\n", false, 0, 0, nullptr, nullptr, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vavizi
