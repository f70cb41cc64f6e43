// Reading the kernel's mount table and choosing the drives from it. Which mounts count as drives is
// recorded in docs/browsers.md.
#include "platform/mount_table.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <map>

namespace vavizi
{
namespace
{

// Mount paths below these folders belong to the system, whatever their type: /dev/shm, /run/user/N,
// /run/lock and the many package images under /snap are no place for the user's files.
constexpr std::array<std::string_view, 5> SYSTEM_FOLDERS = {"/proc", "/sys", "/dev", "/run",
                                                            "/snap"};
// Desktops mount removable media here, so it stays listed although it lies under /run.
constexpr std::string_view REMOVABLE_MEDIA_FOLDER = "/run/media";

constexpr std::string_view PSEUDO_TYPES[] = {
    "autofs",     "binfmt_misc", "bpf",      "cgroup",   "cgroup2",         "configfs",
    "debugfs",    "devpts",      "devtmpfs", "efivarfs", "fusectl",         "hugetlbfs",
    "mqueue",     "nfsd",        "nsfs",     "proc",     "pstore",          "rpc_pipefs",
    "securityfs", "selinuxfs",   "sysfs",    "tracefs",  "fuse.gvfsd-fuse", "fuse.portal"};

bool IsOctalDigit(char c)
{
  return c >= '0' && c <= '7';
}

// mountinfo writes space, tab, newline and backslash in paths as a backslash and three octal
// digits.
std::string Unescape(std::string_view field)
{
  std::string out;
  out.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i)
  {
    if (field[i] == '\\' && i + 3 < field.size() && IsOctalDigit(field[i + 1]) &&
        IsOctalDigit(field[i + 2]) && IsOctalDigit(field[i + 3]))
    {
      const int value = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
      out.push_back(static_cast<char>(value));
      i += 3;
    }
    else
    {
      out.push_back(field[i]);
    }
  }
  return out;
}

std::vector<std::string_view> SplitFields(std::string_view line)
{
  std::vector<std::string_view> fields;
  std::size_t pos = 0;
  while (pos < line.size())
  {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
    {
      ++pos;
    }
    const std::size_t start = pos;
    while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t')
    {
      ++pos;
    }
    if (pos > start)
    {
      fields.push_back(line.substr(start, pos - start));
    }
  }
  return fields;
}

bool HasOption(std::string_view options, std::string_view wanted)
{
  std::size_t pos = 0;
  while (pos <= options.size())
  {
    const std::size_t comma = std::min(options.find(',', pos), options.size());
    if (options.substr(pos, comma - pos) == wanted)
    {
      return true;
    }
    pos = comma + 1;
  }
  return false;
}

// True when `path` is `folder` or lies below it.
bool IsAtOrBelow(std::string_view path, std::string_view folder)
{
  if (folder == "/")
  {
    return !path.empty() && path.front() == '/';
  }
  return path.substr(0, folder.size()) == folder &&
         (path.size() == folder.size() || path[folder.size()] == '/');
}

bool IsSystemMountPath(std::string_view path)
{
  if (IsAtOrBelow(path, REMOVABLE_MEDIA_FOLDER))
  {
    return false;
  }
  return std::any_of(SYSTEM_FOLDERS.begin(), SYSTEM_FOLDERS.end(),
                     [path](std::string_view folder) { return IsAtOrBelow(path, folder); });
}

}  // namespace

std::vector<MountEntry> ParseMountInfo(std::string_view text)
{
  // id parent major:minor root mount-path options [optional fields...] - type source super-options
  std::vector<MountEntry> entries;
  std::size_t pos = 0;
  while (pos < text.size())
  {
    const std::size_t end = std::min(text.find('\n', pos), text.size());
    const std::vector<std::string_view> fields = SplitFields(text.substr(pos, end - pos));
    pos = end + 1;

    const auto separator = std::find(fields.begin(), fields.end(), std::string_view("-"));
    if (fields.size() < 6 || separator == fields.end() || separator - fields.begin() < 6 ||
        fields.end() - separator < 3)
    {
      continue;
    }
    MountEntry entry;
    entry.device = std::string(fields[2]);
    entry.root = Unescape(fields[3]);
    entry.mount_path = Unescape(fields[4]);
    entry.fs_type = Unescape(separator[1]);
    entry.source = Unescape(separator[2]);
    entry.read_only = HasOption(fields[5], "ro");
    if (entry.mount_path.empty() || entry.mount_path.front() != '/')
    {
      continue;
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

bool IsPseudoFileSystem(std::string_view fs_type)
{
  return std::find(std::begin(PSEUDO_TYPES), std::end(PSEUDO_TYPES), fs_type) !=
         std::end(PSEUDO_TYPES);
}

std::vector<Drive> SelectDrives(const std::vector<MountEntry>& entries,
                                const std::function<bool(const std::string&)>& is_folder)
{
  // A later mount on the same path hides the earlier one: only the last is reachable.
  std::map<std::string, std::size_t> visible_by_path;
  for (std::size_t i = 0; i < entries.size(); ++i)
  {
    visible_by_path[entries[i].mount_path] = i;
  }

  std::vector<const MountEntry*> candidates;
  for (const auto& [path, index] : visible_by_path)
  {
    const MountEntry& entry = entries[index];
    if (IsPseudoFileSystem(entry.fs_type) || IsSystemMountPath(entry.mount_path) ||
        !is_folder(entry.mount_path))
    {
      continue;
    }
    candidates.push_back(&entry);
  }
  std::sort(candidates.begin(), candidates.end(),
            [&entries](const MountEntry* a, const MountEntry* b)
            { return a - entries.data() < b - entries.data(); });

  // One drive per device: the root file system if the device is mounted there, else a mount of the
  // whole file system, else the first in table order.
  auto rank = [](const MountEntry& entry)
  { return entry.mount_path == "/" ? 0 : (entry.root == "/" ? 1 : 2); };
  std::map<std::string, const MountEntry*> chosen_by_device;
  for (const MountEntry* entry : candidates)
  {
    auto [it, inserted] = chosen_by_device.emplace(entry->device, entry);
    if (!inserted && rank(*entry) < rank(*it->second))
    {
      it->second = entry;
    }
  }

  std::vector<const MountEntry*> chosen;
  for (const auto& [device, entry] : chosen_by_device)
  {
    chosen.push_back(entry);
  }
  std::sort(chosen.begin(), chosen.end(),
            [](const MountEntry* a, const MountEntry* b) { return a->mount_path < b->mount_path; });

  std::vector<Drive> drives;
  char letter = FIRST_DRIVE_LETTER;
  for (const MountEntry* entry : chosen)
  {
    if (letter > LAST_DRIVE_LETTER)
    {
      break;
    }
    drives.push_back(Drive{letter, entry->mount_path, entry->read_only});
    ++letter;
  }
  return drives;
}

std::optional<Drive> DriveOfPath(const std::vector<Drive>& drives, std::string_view path)
{
  const Drive* best = nullptr;
  for (const Drive& drive : drives)
  {
    if (IsAtOrBelow(path, drive.root) && (best == nullptr || drive.root.size() > best->root.size()))
    {
      best = &drive;
    }
  }
  if (best == nullptr)
  {
    return std::nullopt;
  }
  return *best;
}

std::optional<Drive> DriveOfLetter(const std::vector<Drive>& drives, char letter)
{
  if (letter >= 'A' && letter <= 'Z')
  {
    letter = static_cast<char>(letter - 'A' + 'a');
  }
  for (const Drive& drive : drives)
  {
    if (drive.letter == letter)
    {
      return drive;
    }
  }
  return std::nullopt;
}

}  // namespace vavizi
