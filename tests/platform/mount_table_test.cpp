// The mount-table parser and the choice of drives, on fixture text shaped like real mountinfo.
#include "platform/mount_table.h"

#include <gtest/gtest.h>
#include <ostream>

namespace vavizi
{
namespace
{

// A desktop with a CD, a USB stick, a container's bind-mounted file and every usual pseudo mount.
constexpr std::string_view DESKTOP_TABLE =
    "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw,errors=remount-ro\n"
    "23 22 0:21 / /proc rw,nosuid,nodev,noexec,relatime shared:12 - proc proc rw\n"
    "24 22 0:22 / /sys rw,nosuid,nodev,noexec,relatime shared:7 - sysfs sysfs rw\n"
    "25 24 0:23 / /sys/fs/cgroup rw,nosuid,nodev,noexec,relatime shared:9 - cgroup2 cgroup2 rw\n"
    "26 22 0:5 / /dev rw,nosuid,relatime shared:2 - devtmpfs udev rw,size=8000000k\n"
    "27 26 0:24 / /dev/pts rw,nosuid,noexec,relatime shared:3 - devpts devpts rw,mode=620\n"
    "28 26 0:25 / /dev/shm rw,nosuid,nodev shared:4 - tmpfs tmpfs rw\n"
    "29 22 0:26 / /run rw,nosuid,nodev,noexec,relatime shared:5 - tmpfs tmpfs rw,size=1600000k\n"
    "30 29 0:27 / /run/user/1000 rw,nosuid,nodev,relatime shared:6 - tmpfs tmpfs rw,mode=700\n"
    "31 22 0:28 / /tmp rw,nosuid,nodev shared:8 - tmpfs tmpfs rw\n"
    "32 22 8:2 / /home rw,relatime shared:10 - ext4 /dev/sda2 rw\n"
    "33 22 8:2 /alice/shared /srv/shared rw,relatime shared:10 - ext4 /dev/sda2 rw\n"
    "34 22 11:0 / /media/alice/My\\040Disc ro,nosuid,nodev,relatime shared:11 - iso9660 "
    "/dev/sr0 ro,nojoliet,check=s,map=n,blocksize=2048\n"
    "35 29 8:17 / /run/media/alice/USB rw,nosuid,nodev,relatime shared:13 - vfat /dev/sdb1 rw\n"
    "36 22 8:3 /containers/abc/hostname /etc/hostname rw,relatime - ext4 /dev/sda3 rw\n"
    "37 22 7:0 / /snap/core/123 ro,nodev,relatime shared:14 - squashfs /dev/loop0 ro\n"
    "38 23 0:29 / /proc/sys/fs/binfmt_misc rw,relatime shared:15 - autofs systemd-1 rw\n";

bool NotTheBoundFile(const std::string& path)
{
  return path != "/etc/hostname";
}

std::vector<std::string> Roots(const std::vector<Drive>& drives)
{
  std::vector<std::string> roots;
  for (const Drive& drive : drives)
  {
    roots.push_back(std::string(1, drive.letter) + " " + drive.root);
  }
  return roots;
}

TEST(MountTable, ParsesFieldsAroundOptionalOnes)
{
  const std::vector<MountEntry> entries = ParseMountInfo(DESKTOP_TABLE);
  ASSERT_EQ(entries.size(), 17U);
  EXPECT_EQ(entries[0].device, "8:1");
  EXPECT_EQ(entries[0].root, "/");
  EXPECT_EQ(entries[0].mount_path, "/");
  EXPECT_EQ(entries[0].fs_type, "ext4");
  EXPECT_EQ(entries[0].source, "/dev/sda1");
  EXPECT_FALSE(entries[0].read_only);

  const MountEntry& cd = entries[12];
  EXPECT_EQ(cd.mount_path, "/media/alice/My Disc");
  EXPECT_EQ(cd.fs_type, "iso9660");
  EXPECT_TRUE(cd.read_only);
  EXPECT_EQ(entries[13].root, "/");
  EXPECT_EQ(entries[10].root, "/");
  EXPECT_EQ(entries[11].root, "/alice/shared");
}

TEST(MountTable, UndoesEveryEscapeOfTheKernel)
{
  const auto entries = ParseMountInfo(
      "40 22 8:5 /a\\134b /mnt/tab\\011new\\012line\\040end rw - ext4 /dev/x\\040y rw\n");
  ASSERT_EQ(entries.size(), 1U);
  EXPECT_EQ(entries[0].root, "/a\\b");
  EXPECT_EQ(entries[0].mount_path, "/mnt/tab\tnew\nline end");
  EXPECT_EQ(entries[0].source, "/dev/x y");
}

TEST(MountTable, SkipsLinesWithoutTheMountinfoForm)
{
  const auto entries = ParseMountInfo(
      "\n"
      "garbage\n"
      "41 22 8:5 / /mnt/a rw shared:1\n"              // no separator, no type
      "42 22 8:5 / relative rw - ext4 /dev/sdc rw\n"  // mount path not absolute
      "43 22 8:6 / /mnt/ok rw - ext4 /dev/sdd rw");   // no final newline
  ASSERT_EQ(entries.size(), 1U);
  EXPECT_EQ(entries[0].mount_path, "/mnt/ok");
}

TEST(MountTable, ChoosesTheDesktopsDrives)
{
  const std::vector<Drive> drives = SelectDrives(ParseMountInfo(DESKTOP_TABLE), NotTheBoundFile);
  const std::vector<std::string> expected = {"c /", "d /home", "e /media/alice/My Disc",
                                             "f /run/media/alice/USB", "g /tmp"};
  EXPECT_EQ(Roots(drives), expected);
  EXPECT_TRUE(drives[2].read_only);
  EXPECT_FALSE(drives[0].read_only);
}

struct SelectionCase
{
  const char* name;
  const char* table;
  std::vector<std::string> expected;
};

class SelectDrivesCase : public testing::TestWithParam<SelectionCase>
{
};

TEST_P(SelectDrivesCase, ListsOnlyFoldersOfTheUser)
{
  const SelectionCase& param = GetParam();
  EXPECT_EQ(Roots(SelectDrives(ParseMountInfo(param.table), NotTheBoundFile)), param.expected);
}

const SelectionCase SELECTION_CASES[] = {
    {"SecondMountOfRootDeviceJoinsC",
     "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
     "2 1 8:1 /srv /mnt/srv rw - ext4 /dev/sda1 rw\n"
     "3 1 8:1 / /mnt/again rw - ext4 /dev/sda1 rw\n",
     {"c /"}},
    {"WholeFileSystemWinsOverEarlierSubtree",
     "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
     "2 1 8:2 /photos /mnt/photos rw - ext4 /dev/sda2 rw\n"
     "3 1 8:2 / /data rw - ext4 /dev/sda2 rw\n",
     {"c /", "d /data"}},
    {"FirstOfTwoSubtreesOfOneDevice",
     "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
     "2 1 8:2 /b /mnt/zz rw - ext4 /dev/sda2 rw\n"
     "3 1 8:2 /a /mnt/aa rw - ext4 /dev/sda2 rw\n",
     {"c /", "d /mnt/zz"}},
    {"BindMountedFileLeftOut",
     "1 0 0:50 / / rw - overlay overlay rw\n"
     "2 1 8:3 /containers/abc/hostname /etc/hostname rw - ext4 /dev/sda3 rw\n",
     {"c /"}},
    {"LaterMountOnSamePathHidesEarlier",
     "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
     "2 1 8:2 / /mnt/usb rw - vfat /dev/sdb1 rw\n"
     "3 1 11:0 / /mnt/usb ro - iso9660 /dev/sr0 ro\n",
     {"c /", "d /mnt/usb"}},
    {"PseudoFileSystemsOutsideSystemFolders",
     "1 0 8:1 / / rw - ext4 /dev/sda1 rw\n"
     "2 1 0:30 / /srv/proc rw - proc proc rw\n"
     "3 1 0:31 / /mnt/auto rw - autofs systemd-1 rw\n"
     "4 1 0:32 / /mnt/cg rw - cgroup cgroup rw,cpu\n"
     "5 1 0:33 / /mnt/dbg rw - debugfs debugfs rw\n"
     "6 1 0:34 / /mnt/ram rw - tmpfs tmpfs rw\n",
     {"c /", "d /mnt/ram"}},
    {"RootAlwaysC",
     "1 0 8:9 / /aaa rw - ext4 /dev/sdz rw\n"
     "2 0 8:1 / / rw - btrfs /dev/sda1 rw\n",
     {"c /", "d /aaa"}},
};

INSTANTIATE_TEST_SUITE_P(MountTable, SelectDrivesCase, testing::ValuesIn(SELECTION_CASES),
                         [](const auto& case_info) { return std::string(case_info.param.name); });

TEST(MountTable, LettersStopAtZ)
{
  std::string table = "1 0 8:0 / / rw - ext4 /dev/sda rw\n";
  for (int i = 0; i < 30; ++i)
  {
    const std::string number = std::to_string(10 + i);
    table += number + " 1 9:" + number + " / /mnt/m" + number + " rw - ext4 /dev/x rw\n";
  }
  const std::vector<Drive> drives =
      SelectDrives(ParseMountInfo(table), [](const std::string&) { return true; });
  ASSERT_EQ(drives.size(), 24U);
  EXPECT_EQ(drives.front().letter, 'c');
  EXPECT_EQ(drives.back().letter, 'z');
  EXPECT_EQ(drives.back().root, "/mnt/m32");
}

struct PathCase
{
  const char* path;
  char letter;  // 0: no drive
};

void PrintTo(const PathCase& value, std::ostream* out)
{
  *out << '"' << value.path << '"';
}

void PrintTo(const SelectionCase& value, std::ostream* out)
{
  *out << value.name;
}

class DriveOfPathCase : public testing::TestWithParam<PathCase>
{
};

TEST_P(DriveOfPathCase, TakesTheLongestWholeComponentPrefix)
{
  const std::vector<Drive> drives = {
      {'c', "/", false}, {'d', "/home", false}, {'e', "/media/alice/My Disc", true}};
  const std::optional<Drive> drive = DriveOfPath(drives, GetParam().path);
  EXPECT_EQ(drive ? drive->letter : 0, GetParam().letter) << GetParam().path;
}

const PathCase PATH_CASES[] = {
    {"/", 'c'},
    {"/usr/share", 'c'},
    {"/home", 'd'},
    {"/home/alice/iso", 'd'},
    {"/homework", 'c'},
    {"/media/alice/My Disc", 'e'},
    {"/media/alice/My Disc/BOOT", 'e'},
    {"/media/alice/My Discs", 'c'},
    {"relative/path", 0},
    {"", 0},
};

INSTANTIATE_TEST_SUITE_P(MountTable, DriveOfPathCase, testing::ValuesIn(PATH_CASES));

TEST(MountTable, DriveOfLetterTakesEitherCase)
{
  const std::vector<Drive> drives = {{'c', "/", false}, {'d', "/home", false}};
  EXPECT_EQ(DriveOfLetter(drives, 'd')->root, "/home");
  EXPECT_EQ(DriveOfLetter(drives, 'D')->root, "/home");
  EXPECT_FALSE(DriveOfLetter(drives, 'e'));
  EXPECT_FALSE(DriveOfLetter(drives, '#'));  // what 'C' - 32 gives
}

}  // namespace
}  // namespace vavizi
