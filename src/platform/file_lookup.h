// The look-up of one plain file for the file information: its name, whole size and local
// modification time in the packed FAT form.
#pragma once

#include "core/file_info.h"

#include <optional>
#include <string>

namespace vavizi
{

// The record of the regular file at `path` (links followed): name after the last "/", 64-bit size,
// local modification time packed by PackFatDateTime (times before 1980 or after 2107 clamped to the
// ends of the range). Empty for a folder, anything else that is not a regular file, or no file.
[[nodiscard]] std::optional<FileRecord> LookUpFile(const std::string& path);

}  // namespace vavizi
