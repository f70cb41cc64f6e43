// The info command of vavizi-cli: what the window's file information panels would show for each
// file, plus the sector layout the conversion would find and, for a KEB image, its header fields.
#pragma once

#include "cli/cli_arguments.h"

namespace vavizi::cli
{

// Reports every file of `options` on stdout and returns the exit status: failed when a file could
// not be found or read; the other files are reported all the same.
[[nodiscard]] int ReportFiles(const CliOptions& options);

}  // namespace vavizi::cli
