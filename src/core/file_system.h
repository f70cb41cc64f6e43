// The file access the conversions need, behind an interface so that every step can run against a
// fake that fails on demand. A byte count and a failure are reported side by side, never folded
// into one number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace vavizi
{

struct IoResult
{
  std::size_t count = 0;  // bytes transferred before the call returned
  bool failed = false;    // the system reported an error (end of file is not one)
};

// Identifies a file independently of the name it is reached by (links, other spellings).
struct FileIdentity
{
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

class File
{
public:
  virtual ~File() = default;

  // Reads up to buffer.size() bytes at the current position; a short count without `failed` is the
  // end of the file.
  [[nodiscard]] virtual IoResult Read(std::span<std::uint8_t> buffer) = 0;
  // Writes all of `data` unless it fails; `count` tells how much was taken.
  [[nodiscard]] virtual IoResult Write(std::span<const std::uint8_t> data) = 0;
  // Sets the position, counted from the start of the file. False when the system refuses.
  [[nodiscard]] virtual bool Seek(std::int64_t offset) = 0;
  // The length in bytes, or -1 when it cannot be told.
  [[nodiscard]] virtual std::int64_t Length() = 0;
  [[nodiscard]] virtual std::optional<FileIdentity> Identity() = 0;
  // Flushes and closes. False when data written earlier did not reach the file. Call once.
  [[nodiscard]] virtual bool Close() = 0;
};

class FileSystem
{
public:
  virtual ~FileSystem() = default;

  // Opens an existing regular file for reading; null when it cannot be opened or is no regular file
  // (a folder, a FIFO, a device), so that opening never waits.
  [[nodiscard]] virtual std::unique_ptr<File> OpenRead(const std::string& path) = 0;
  // Creates the file, or empties an existing regular one, for writing; null on failure or when
  // something other than a regular file stands there.
  [[nodiscard]] virtual std::unique_ptr<File> OpenWrite(const std::string& path) = 0;
  // True when anything stands at `path` (a file, a folder, a link), readable or not.
  [[nodiscard]] virtual bool Exists(const std::string& path) = 0;
  // True when writing through `path` would change a file that another name also reaches: a
  // symbolic link, or a file with more than one hard link.
  [[nodiscard]] virtual bool IsLinked(const std::string& path) = 0;
  // Removes the file; false when it could not be removed.
  virtual bool Remove(const std::string& path) = 0;
  // The identity of the file at `path`, following links; empty when there is none.
  [[nodiscard]] virtual std::optional<FileIdentity> IdentityOf(const std::string& path) = 0;
  // Bytes available to this user on the file system holding `folder`; -1 when it cannot be told.
  [[nodiscard]] virtual std::int64_t FreeBytes(const std::string& folder) = 0;
};

}  // namespace vavizi
