// The contents of one folder as the browsers list them: its sub-folders for the folder list, its
// plain files for the file list. Names are the bytes on disk; hidden entries (a leading ".") are
// left out, as the browsers never show them.
#pragma once

#include <string>
#include <vector>

namespace vavizi
{

// True when `path` is a folder (following links).
[[nodiscard]] bool IsFolder(const std::string& path);

// Names of the sub-folders of `folder`, sorted; empty when it cannot be read.
[[nodiscard]] std::vector<std::string> ListSubFolders(const std::string& folder);

// Names of the regular files of `folder` (links to regular files included), sorted; empty when it
// cannot be read.
[[nodiscard]] std::vector<std::string> ListPlainFiles(const std::string& folder);

// The browsers' order: ASCII letters compared without regard to case, then the bytes.
[[nodiscard]] bool NameLess(const std::string& a, const std::string& b);

}  // namespace vavizi
