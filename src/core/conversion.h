// The conversion command and its two routines. The command checks the selection, opens the source,
// picks the direction by extension, builds the destination path, asks before overwriting, runs one
// routine, shows the outcome in the message panel and closes every file it opened.
#pragma once

#include "core/program_state.h"
#include "core/result_code.h"

#include <string>

namespace vavizi
{

// The command behind the start button and the file list's double-click. Every outcome is shown in
// the window; the files are closed when it returns. Does nothing while a command is already
// running.
void ConversionCommand(ConversionContext& context);

// KEB image to ISO image. Expects the source open at offset 0; leaves the source and any
// destination it created open for the command to close.
[[nodiscard]] ResultCode ConvertKebToIso(ConversionContext& context,
                                         const std::string& destination_path);

// CD image (2048-, 2336- or 2352-byte sectors) to KEB image. Expects the source open; closes the
// destination itself and leaves the source open.
[[nodiscard]] ResultCode ConvertImageToKeb(ConversionContext& context,
                                           const std::string& destination_path);

// Creates the destination for a routine: refuses the source itself, opens for writing, closes,
// removes and opens once more. On success the state holds the new destination file.
[[nodiscard]] ResultCode OpenDestination(ConversionContext& context,
                                         const std::string& destination_path);

// Sources of this length or more do not fit the format's 32-bit sizes.
inline constexpr std::int64_t MAXIMUM_SOURCE_LENGTH = std::int64_t{1} << 31;

}  // namespace vavizi
