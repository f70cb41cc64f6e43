// An in-memory file system whose files fail on demand: a read or write that reaches a given offset,
// a close that reports lost data, an open that is refused. Links share one file's contents.
#pragma once

#include "core/file_system.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vavizi::testing
{

using Bytes = std::vector<std::uint8_t>;

struct FakeNode
{
  Bytes data;
  std::uint64_t inode = 0;
  // When set, Length() reports this instead of the data's size (huge files without the bytes).
  std::optional<std::int64_t> reported_length;
  // A read that reaches this offset fails after delivering the bytes before it.
  std::optional<std::int64_t> read_fails_at;
  // A write that would reach past this size stores what fits and fails.
  std::optional<std::int64_t> write_limit;
  bool close_fails = false;
};

class FakeFileSystem : public FileSystem
{
public:
  std::unique_ptr<File> OpenRead(const std::string& path) override;
  std::unique_ptr<File> OpenWrite(const std::string& path) override;
  bool Exists(const std::string& path) override { return m_nodes.count(path) != 0; }
  bool IsLinked(const std::string& path) override;
  bool Remove(const std::string& path) override;
  std::optional<FileIdentity> IdentityOf(const std::string& path) override;
  std::int64_t FreeBytes(const std::string& folder) override;

  // Creates or replaces a file.
  FakeNode& Add(const std::string& path, Bytes data);
  // Makes `link` another name of the file at `target`.
  void Link(const std::string& link, const std::string& target);
  [[nodiscard]] bool Has(const std::string& path) const { return m_nodes.count(path) != 0; }
  // The file at `path`; it must exist.
  [[nodiscard]] FakeNode& Node(const std::string& path);
  [[nodiscard]] const Bytes& Data(const std::string& path) { return Node(path).data; }

  std::map<std::string, std::int64_t> free_bytes;  // by folder; -1 when absent
  std::set<std::string> refuse_write;              // OpenWrite of these paths fails
  // OpenWrite of these paths succeeds once, then fails (the second open of a destination).
  std::set<std::string> refuse_second_write;
  // Settings given to every file created by OpenWrite at these paths.
  std::map<std::string, FakeNode> write_faults;
  int open_count = 0;
  int close_count = 0;
  int unclosed_count = 0;      // files destroyed without Close()
  int double_close_count = 0;  // Close() called again on a closed file

private:
  std::map<std::string, std::shared_ptr<FakeNode>> m_nodes;
  std::map<std::string, int> m_write_opens;
  std::uint64_t m_next_inode = 1;
};

}  // namespace vavizi::testing
