// The free space of a drive: bytes available to this user on its root folder. Behind an interface
// so that the window's free-space panels and its restore can run against a fake.
#pragma once

#include "core/posix_file_system.h"
#include "platform/drive_table.h"

#include <cstdint>
#include <string>

namespace vavizi
{

class DriveSpace
{
public:
  virtual ~DriveSpace() = default;

  // Free bytes for this user on the drive of this letter (either case), or -1 when they cannot be
  // told (no such drive, not readable).
  [[nodiscard]] virtual std::int64_t FreeBytes(char letter) = 0;
  // True when FreeBytes can tell this drive's free space.
  [[nodiscard]] virtual bool CanReport(char letter) { return FreeBytes(letter) >= 0; }
};

class SystemDriveSpace final : public DriveSpace
{
public:
  // Over `drives`, which must outlive it.
  explicit SystemDriveSpace(DriveTable& drives) : m_drives(drives) {}
  [[nodiscard]] std::int64_t FreeBytes(char letter) override;

private:
  DriveTable& m_drives;
};

}  // namespace vavizi
