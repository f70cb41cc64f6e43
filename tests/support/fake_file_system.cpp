// The in-memory file system.
#include "support/fake_file_system.h"

#include <algorithm>

namespace vavizi::testing
{

namespace
{

class FakeFile final : public File
{
public:
  FakeFile(std::shared_ptr<FakeNode> node, FakeFileSystem& owner)
      : m_node(std::move(node)), m_owner(owner)
  {
  }

  ~FakeFile() override
  {
    // Every file must be closed explicitly, once.
    if (!m_closed)
      ++m_owner.unclosed_count;
  }

  IoResult Read(std::span<std::uint8_t> buffer) override
  {
    const auto size = static_cast<std::int64_t>(m_node->data.size());
    std::int64_t end =
        std::min<std::int64_t>(m_position + static_cast<std::int64_t>(buffer.size()), size);
    bool failed = false;
    if (m_node->read_fails_at && end > *m_node->read_fails_at &&
        m_position + static_cast<std::int64_t>(buffer.size()) > *m_node->read_fails_at)
    {
      end = std::max(m_position, *m_node->read_fails_at);
      failed = true;
    }
    const std::size_t count = m_position >= end ? 0 : static_cast<std::size_t>(end - m_position);
    std::copy_n(m_node->data.begin() + m_position, count, buffer.begin());
    m_position += static_cast<std::int64_t>(count);
    return {count, failed};
  }

  IoResult Write(std::span<const std::uint8_t> data) override
  {
    std::size_t count = data.size();
    bool failed = false;
    if (m_node->write_limit && m_position + static_cast<std::int64_t>(count) > *m_node->write_limit)
    {
      count = m_position >= *m_node->write_limit
                  ? 0
                  : static_cast<std::size_t>(*m_node->write_limit - m_position);
      failed = true;
    }
    const auto end = static_cast<std::size_t>(m_position) + count;
    if (m_node->data.size() < end)
      m_node->data.resize(end);
    std::copy_n(data.begin(), count, m_node->data.begin() + m_position);
    m_position += static_cast<std::int64_t>(count);
    return {count, failed};
  }

  bool Seek(std::int64_t offset) override
  {
    if (offset < 0)
      return false;
    m_position = offset;
    return true;
  }

  std::int64_t Length() override
  {
    return m_node->reported_length.value_or(static_cast<std::int64_t>(m_node->data.size()));
  }

  std::optional<FileIdentity> Identity() override { return FileIdentity{1, m_node->inode}; }

  bool Close() override
  {
    if (m_closed)
      ++m_owner.double_close_count;
    m_closed = true;
    ++m_owner.close_count;
    return !m_node->close_fails;
  }

private:
  std::shared_ptr<FakeNode> m_node;
  FakeFileSystem& m_owner;
  std::int64_t m_position = 0;
  bool m_closed = false;
};

}  // namespace

std::unique_ptr<File> FakeFileSystem::OpenRead(const std::string& path)
{
  const auto found = m_nodes.find(path);
  if (found == m_nodes.end())
    return nullptr;
  ++open_count;
  return std::make_unique<FakeFile>(found->second, *this);
}

std::unique_ptr<File> FakeFileSystem::OpenWrite(const std::string& path)
{
  const int opens = ++m_write_opens[path];
  if (refuse_write.count(path) || (refuse_second_write.count(path) && opens >= 2))
    return nullptr;
  auto& node = m_nodes[path];
  if (!node)
  {
    node = std::make_shared<FakeNode>();
    node->inode = m_next_inode++;
  }
  node->data.clear();
  if (const auto faults = write_faults.find(path); faults != write_faults.end())
  {
    node->write_limit = faults->second.write_limit;
    node->close_fails = faults->second.close_fails;
  }
  ++open_count;
  return std::make_unique<FakeFile>(node, *this);
}

bool FakeFileSystem::IsLinked(const std::string& path)
{
  const auto found = m_nodes.find(path);
  if (found == m_nodes.end())
    return false;
  int names = 0;
  for (const auto& [name, node] : m_nodes)
    names += node == found->second;
  return names > 1;
}

bool FakeFileSystem::Remove(const std::string& path)
{
  return m_nodes.erase(path) != 0;
}

std::optional<FileIdentity> FakeFileSystem::IdentityOf(const std::string& path)
{
  const auto found = m_nodes.find(path);
  if (found == m_nodes.end())
    return std::nullopt;
  return FileIdentity{1, found->second->inode};
}

std::int64_t FakeFileSystem::FreeBytes(const std::string& folder)
{
  const auto found = free_bytes.find(folder);
  return found == free_bytes.end() ? -1 : found->second;
}

FakeNode& FakeFileSystem::Add(const std::string& path, Bytes data)
{
  auto node = std::make_shared<FakeNode>();
  node->data = std::move(data);
  node->inode = m_next_inode++;
  m_nodes[path] = node;
  return *node;
}

void FakeFileSystem::Link(const std::string& link, const std::string& target)
{
  m_nodes[link] = m_nodes.at(target);
}

FakeNode& FakeFileSystem::Node(const std::string& path)
{
  return *m_nodes.at(path);
}

}  // namespace vavizi::testing
