// The process's current folder, read and changed byte-exactly (folder names need not be UTF-8),
// and the plain form of a folder path that the browsers show and compare.
#pragma once

#include <string>
#include <string_view>

namespace vavizi
{

// Makes `path` the process's current folder; false (and nothing changed) when it cannot be entered.
[[nodiscard]] bool ChangeCurrentFolder(const std::string& path);

// The process's current folder as an absolute path; empty when the system cannot tell it.
[[nodiscard]] std::string CurrentFolder();

// `path` made absolute against `base` (itself absolute), with "." and ".." resolved by name and
// repeated or trailing "/" removed; "/" stays "/".
[[nodiscard]] std::string PlainFolderPath(std::string_view path, std::string_view base);

// `folder`, a "/" unless it already ends in one, then `name`.
[[nodiscard]] std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace vavizi
