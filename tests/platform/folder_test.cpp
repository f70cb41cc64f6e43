// Folders as the browsers see them: the plain form of a path, the process's current folder, the
// listing of sub-folders and plain files with byte-exact names, names for the screen, free space.
#include "temp_folder.h"

#include "platform/current_folder.h"
#include "platform/display_name.h"
#include "platform/drive_space.h"
#include "platform/folder_listing.h"

#include <QString>

#include <gtest/gtest.h>
#include <ostream>
#include <unistd.h>

namespace vavizi
{
namespace
{

struct PlainCase
{
  const char* path;
  const char* base;
  const char* expected;
};

void PrintTo(const PlainCase& value, std::ostream* out)
{
  *out << '"' << value.path << "\" in " << value.base;
}

class PlainFolderPathCase : public testing::TestWithParam<PlainCase>
{
};

TEST_P(PlainFolderPathCase, ResolvesByName)
{
  EXPECT_EQ(PlainFolderPath(GetParam().path, GetParam().base), GetParam().expected)
      << GetParam().path << " in " << GetParam().base;
}

const PlainCase PLAIN_CASES[] = {
    {"/", "/x", "/"},
    {"/home/alice/", "/", "/home/alice"},
    {"//home///alice", "/", "/home/alice"},
    {"/home/./alice/../bob", "/", "/home/bob"},
    {"/..", "/", "/"},
    {"/../../etc", "/", "/etc"},
    {"sub", "/home/alice", "/home/alice/sub"},
    {"..", "/home/alice", "/home"},
    {"../..", "/home", "/"},
    {".", "/srv", "/srv"},
    {"", "/srv", "/srv"},
    {"My Disc", "/media", "/media/My Disc"},
};

INSTANTIATE_TEST_SUITE_P(CurrentFolder, PlainFolderPathCase, testing::ValuesIn(PLAIN_CASES));

TEST(CurrentFolder, JoinAddsOneSeparator)
{
  EXPECT_EQ(JoinPath("/", "a.iso"), "/a.iso");
  EXPECT_EQ(JoinPath("/srv", "a.iso"), "/srv/a.iso");
  EXPECT_EQ(JoinPath("/srv/", "a.iso"), "/srv/a.iso");
}

// Restores the process's current folder after each test that changes it.
class CurrentFolderChange : public testing::Test
{
protected:
  ~CurrentFolderChange() override { static_cast<void>(ChangeCurrentFolder(m_start)); }
  std::string m_start = CurrentFolder();
  test::TempFolder m_folder;
};

TEST_F(CurrentFolderChange, ChangesToAFolderWithByteExactName)
{
  const std::string folder = m_folder.MakeFolder("\x83\x66\x83\x42\x83\x58\x83\x4e");  // "ディスク"
  ASSERT_TRUE(ChangeCurrentFolder(folder));
  char resolved[4096];
  ASSERT_NE(::realpath(folder.c_str(), resolved), nullptr);
  EXPECT_EQ(CurrentFolder(), resolved);
}

TEST_F(CurrentFolderChange, RefusesWhatCannotBeEnteredAndStays)
{
  ASSERT_TRUE(ChangeCurrentFolder(m_folder.Path()));
  const std::string before = CurrentFolder();
  const std::string file = m_folder.MakeFile("plain.iso");
  EXPECT_FALSE(ChangeCurrentFolder(file));
  EXPECT_FALSE(ChangeCurrentFolder(m_folder / "missing"));
  EXPECT_FALSE(ChangeCurrentFolder(""));
  EXPECT_EQ(CurrentFolder(), before);
}

TEST(FolderListing, ListsByKindWithoutHiddenEntriesInOrder)
{
  test::TempFolder folder;
  folder.MakeFolder("Beta");
  folder.MakeFolder("alpha");
  folder.MakeFolder(".hidden");
  folder.MakeFile("b.ISO");
  folder.MakeFile("A.iso");
  folder.MakeFile(".secret.iso");
  folder.MakeFile("\x83\x65.iso");
  ASSERT_EQ(::symlink("alpha", (folder / "to-alpha").c_str()), 0);
  ASSERT_EQ(::symlink("b.ISO", (folder / "to-b.iso").c_str()), 0);
  ASSERT_EQ(::symlink("gone", (folder / "dangling.iso").c_str()), 0);

  EXPECT_EQ(ListSubFolders(folder.Path()), (std::vector<std::string>{"alpha", "Beta", "to-alpha"}));
  EXPECT_EQ(ListPlainFiles(folder.Path()),
            (std::vector<std::string>{"A.iso", "b.ISO", "to-b.iso", "\x83\x65.iso"}));
  EXPECT_TRUE(ListPlainFiles(folder / "missing").empty());
}

TEST(DisplayName, DecodesUtf8ThenCp932)
{
  EXPECT_EQ(DisplayName("disc.iso"), QStringLiteral("disc.iso"));
  EXPECT_EQ(DisplayName("ディスク.iso"), QStringLiteral("ディスク.iso"));
  EXPECT_EQ(DisplayName("\x83\x66\x83\x42\x83\x58\x83\x4e.iso"), QStringLiteral("ディスク.iso"));
  EXPECT_EQ(DisplayName("\xb6\xde.iso"), QStringLiteral("ｶﾞ.iso"));  // half-width kana
  // Neither: shown with replacement characters rather than dropped.
  EXPECT_TRUE(DisplayName("\x81\x7f\xff.iso").contains(QChar(0xFFFD)));
}

TEST(DriveSpace, ReportsFreeBytesOfARealDriveInEitherCase)
{
  test::TempFolder folder;
  FixedDriveTable table({{'c', folder.Path(), false}, {'d', folder / "missing", false}});
  SystemDriveSpace space(table);
  EXPECT_GE(space.FreeBytes('c'), 0);
  EXPECT_GE(space.FreeBytes('C'), 0);
  EXPECT_TRUE(space.CanReport('C'));
  EXPECT_EQ(space.FreeBytes('d'), -1);
  EXPECT_FALSE(space.CanReport('d'));
  EXPECT_EQ(space.FreeBytes('e'), -1);
  EXPECT_FALSE(space.CanReport('#'));
  EXPECT_EQ(FreeBytesOfFolder(""), -1);
}

}  // namespace
}  // namespace vavizi
