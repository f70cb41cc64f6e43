// Where the browsers get their drives from. The system's table reads the mount table (or, on a
// system with drive letters, its letters); tests and special windows hand in a fixed list.
#pragma once

#include "platform/mount_table.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vavizi
{

class DriveTable
{
public:
  virtual ~DriveTable() = default;

  // The drives in letter order; read once and kept until Refresh.
  [[nodiscard]] virtual const std::vector<Drive>& Drives() = 0;
  // Reads the drives anew (a disc may have been inserted); letters may shift with it.
  virtual void Refresh() = 0;

  // The drive holding the absolute `path`; empty when none does.
  [[nodiscard]] std::optional<Drive> DriveOf(std::string_view path);
  // The drive of this letter, either case; empty when there is none.
  [[nodiscard]] std::optional<Drive> DriveOf(char letter);
  // The root folder of the drive of this letter; empty when there is no such drive.
  [[nodiscard]] std::string RootOf(char letter);
};

// The drives of this system, as docs/browsers.md describes.
class SystemDriveTable final : public DriveTable
{
public:
  [[nodiscard]] const std::vector<Drive>& Drives() override;
  void Refresh() override;

private:
  bool m_read = false;
  std::vector<Drive> m_drives;
};

// A list given once; Refresh keeps it.
class FixedDriveTable final : public DriveTable
{
public:
  // Drives as given, letters and roots taken unchecked.
  explicit FixedDriveTable(std::vector<Drive> drives) : m_drives(std::move(drives)) {}
  [[nodiscard]] const std::vector<Drive>& Drives() override { return m_drives; }
  void Refresh() override {}

private:
  std::vector<Drive> m_drives;
};

// The process's one system table, shared by every browser control that is given no other.
[[nodiscard]] DriveTable& ProcessDriveTable();

}  // namespace vavizi
