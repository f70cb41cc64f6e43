// What a selection in the source file list does to the file information and the file-selected flag,
// and the clearing of that information which other handlers share.
#pragma once

#include "core/file_info.h"
#include "core/program_state.h"

#include <optional>
#include <string>

namespace vavizi
{

// Sets the file-selected flag to 0 and empties the size, date, time and sector-size panels.
void ClearFileInformation(ProgramState& state, WindowOperations& window);

// The selection of `path`, with `record` the look-up of that path (empty when no file was found).
void SelectFile(ProgramState& state, WindowOperations& window, const std::string& path,
                const std::optional<FileRecord>& record);

}  // namespace vavizi
