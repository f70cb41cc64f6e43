// Each drive's own current folder, over drives whose roots are temporary folders, and the system's
// own drive table.
#include "platform/drive_folders.h"

#include "temp_folder.h"

#include "platform/current_folder.h"

#include <gtest/gtest.h>

namespace vavizi
{
namespace
{

class DriveFoldersTest : public testing::Test
{
protected:
  DriveFoldersTest()
  {
    m_folder.MakeFolder("c/work/old");
    m_folder.MakeFolder("d/out");
  }
  ~DriveFoldersTest() override { static_cast<void>(ChangeCurrentFolder(m_start)); }

  std::string m_start = CurrentFolder();
  test::TempFolder m_folder;
  FixedDriveTable m_table{{{'c', m_folder / "c", false}, {'d', m_folder / "d", false}}};
  DriveFolders m_folders{m_table};
};

TEST_F(DriveFoldersTest, DefaultsToTheRootOrTheProcesssFolderOnThatDrive)
{
  ASSERT_TRUE(ChangeCurrentFolder(m_folder / "c/work"));
  EXPECT_EQ(m_folders.FolderOf('c'), CurrentFolder());
  EXPECT_EQ(m_folders.FolderOf('d'), m_folder / "d");
  EXPECT_EQ(m_folders.FolderOf('e'), "");
}

TEST_F(DriveFoldersTest, RemembersOneFolderPerDrive)
{
  m_folders.Remember(m_folder / "c/work/old");
  m_folders.Remember(m_folder / "d/out");
  m_folders.Remember(m_folder / "c/work");
  EXPECT_EQ(m_folders.FolderOf('c'), m_folder / "c/work");
  EXPECT_EQ(m_folders.FolderOf('D'), m_folder / "d/out");
}

TEST_F(DriveFoldersTest, ClimbsOutOfAFolderRemovedSince)
{
  m_folders.Remember(m_folder / "c/work/old");
  ASSERT_EQ(::rmdir((m_folder / "c/work/old").c_str()), 0);
  EXPECT_EQ(m_folders.FolderOf('c'), m_folder / "c/work");
}

TEST_F(DriveFoldersTest, IgnoresAFolderOnNoDrive)
{
  m_folders.Remember("/nowhere/else");
  EXPECT_EQ(m_folders.FolderOf('d'), m_folder / "d");
}

TEST(SystemDriveTable, RootFileSystemIsDriveC)
{
  SystemDriveTable table;
  ASSERT_FALSE(table.Drives().empty());
  EXPECT_EQ(table.Drives().front().letter, 'c');
  EXPECT_EQ(table.Drives().front().root, "/");
  EXPECT_EQ(table.RootOf('C'), "/");
  const std::optional<Drive> drive = table.DriveOf(std::string_view(CurrentFolder()));
  EXPECT_TRUE(drive);
  for (std::size_t i = 1; i < table.Drives().size(); ++i)
  {
    EXPECT_LT(table.Drives()[i - 1].root, table.Drives()[i].root);
    EXPECT_EQ(table.Drives()[i].letter, static_cast<char>('c' + i));
  }
}

}  // namespace
}  // namespace vavizi
