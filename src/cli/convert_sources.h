// The convert command of vavizi-cli: the core's conversion command once per source, through the
// terminal front, one outcome line per source on stdout.
#pragma once

#include "cli/cli_arguments.h"

#include <string>
#include <string_view>

namespace vavizi::cli
{

// The folder part of `path` without its last separator: "." when there is none, "/" for a file in
// the root.
[[nodiscard]] std::string FolderOf(std::string_view path);

// Converts every source of `options` in order and returns the exit status. Stops before the next
// source once Ctrl-C has been pressed.
[[nodiscard]] int ConvertSources(const CliOptions& options);

}  // namespace vavizi::cli
