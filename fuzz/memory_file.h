// A read-only file held in memory, for the fuzz targets that read images: it can refuse to seek,
// and fails any read that would deliver a byte at or past a given offset.
#pragma once

#include "core/file_system.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vavizi::fuzz
{

class MemoryFile final : public File
{
public:
  explicit MemoryFile(std::span<const std::uint8_t> data) : m_data(data) {}

  IoResult Read(std::span<std::uint8_t> buffer) override
  {
    const auto size = static_cast<std::int64_t>(m_data.size());
    const std::int64_t start = std::min(m_position, size);
    const std::int64_t end =
        std::min<std::int64_t>(start + static_cast<std::int64_t>(buffer.size()), size);
    if (read_fails_at && end > start && end > *read_fails_at)
      return {0, true};
    const auto count = static_cast<std::size_t>(end - start);
    std::copy_n(m_data.begin() + start, count, buffer.begin());
    m_position = start + static_cast<std::int64_t>(count);
    return {count, false};
  }

  IoResult Write(std::span<const std::uint8_t>) override { return {0, true}; }

  bool Seek(std::int64_t offset) override
  {
    if (offset < 0 || seek_refused)
      return false;
    m_position = offset;
    return true;
  }

  std::int64_t Length() override { return static_cast<std::int64_t>(m_data.size()); }
  std::optional<FileIdentity> Identity() override { return FileIdentity{1, 1}; }
  bool Close() override { return true; }

  std::optional<std::int64_t> read_fails_at;
  bool seek_refused = false;

private:
  std::span<const std::uint8_t> m_data;
  std::int64_t m_position = 0;
};

}  // namespace vavizi::fuzz
