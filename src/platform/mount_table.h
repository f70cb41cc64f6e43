// Drives on a system without drive letters. The kernel's mount table (/proc/self/mountinfo) is read
// as text and turned into the drive list the browsers show: every mounted file system that holds
// the user's folders gets a lower-case letter, "c" for the root file system and then "d", "e", ...
// in the byte order of the mount paths. Both steps are pure so that tests can feed them any table.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vavizi
{

// One line of the mount table, with the escapes of the kernel (\040 for a space) undone.
struct MountEntry
{
  std::string device;      // "major:minor" of the file system's device
  std::string root;        // the folder of that file system seen at the mount path ("/" if all)
  std::string mount_path;  // where it is mounted, absolute
  std::string fs_type;     // "ext4", "iso9660", "tmpfs", ...
  std::string source;      // "/dev/sda1", "tmpfs", ...
  bool read_only = false;  // mounted read-only
};

struct Drive
{
  char letter = 'c';  // always lower case
  std::string root;   // the mount path, the drive's root folder
  bool read_only = false;
};

inline constexpr char FIRST_DRIVE_LETTER = 'c';
inline constexpr char LAST_DRIVE_LETTER = 'z';

// The entries of mountinfo text in table order; lines that do not have the mountinfo form are
// skipped.
[[nodiscard]] std::vector<MountEntry> ParseMountInfo(std::string_view text);

// True for a file system type that holds no folders of the user's (proc, sysfs, cgroup, ...).
[[nodiscard]] bool IsPseudoFileSystem(std::string_view fs_type);

// The drives of a mount table: pseudo file systems, system-internal mount paths, mount paths that
// `is_folder` denies (bind-mounted single files), mounts hidden by a later mount on the same path
// and second mounts of a device are left out; letters from "c" in mount-path order, the root file
// system first. Drives past "z" are not listed.
[[nodiscard]] std::vector<Drive> SelectDrives(
    const std::vector<MountEntry>& entries,
    const std::function<bool(const std::string&)>& is_folder);

// The drive whose root is the longest prefix of the absolute `path` (whole path components only);
// empty when no drive holds it.
[[nodiscard]] std::optional<Drive> DriveOfPath(const std::vector<Drive>& drives,
                                               std::string_view path);

// The drive with this letter, either case; empty when there is none.
[[nodiscard]] std::optional<Drive> DriveOfLetter(const std::vector<Drive>& drives, char letter);

}  // namespace vavizi
