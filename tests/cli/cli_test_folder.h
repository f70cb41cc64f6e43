// A temporary folder for one test of vavizi-cli, with the few helpers the fault and odd-name tests
// share: sources with the destination a finished run makes of them, whole-file reads and writes,
// the names in a folder, and a run of the built program with the folder as its working directory.
#pragma once

#include "child_process.h"

#include "core/cp932.h"
#include "core/keb_format.h"
#include "core/messages.h"
#include "core/text_format.h"
#include "support/image_builder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace vavizi::testing
{

inline constexpr std::size_t DATA = 2048;
inline constexpr std::size_t SYSTEM_AREA = 16 * DATA;

// The message line of a finished conversion, and of a file that cannot be opened.
inline std::string Done(const std::string& destination)
{
  return FillPlaceholder(text::DONE, destination);
}

inline std::string CannotOpen(const std::string& path)
{
  return FillPlaceholder(text::SOURCE_CANNOT_OPEN, path);
}

inline Bytes Concatenated(const Bytes& first, const Bytes& second)
{
  Bytes bytes = first;
  bytes.insert(bytes.end(), second.begin(), second.end());
  return bytes;
}

// A source and the destination a finished run makes of it.
struct Conversion
{
  std::string source_name;
  std::string destination_name;
  Bytes source;
  Bytes destination;
};

// An ISO of `sectors` sectors and the plain KEB image of it with the default description.
inline Conversion IsoToKeb(int sectors)
{
  const Bytes iso = MakeIsoData(sectors);
  const auto header = keb::BuildHeader(keb::Form::Plain, static_cast<std::uint32_t>(iso.size()),
                                       Utf8ToCp932(text::DEFAULT_DESCRIPTION));
  const Bytes data(iso.begin() + SYSTEM_AREA, iso.end());
  return {"disc.iso", "disc.KEB", iso, Concatenated(Bytes(header.begin(), header.end()), data)};
}

// A KEB image of `blocks` whole blocks and a last block of `tail` bytes, and the ISO of it: the
// last block comes out padded to a whole sector.
inline Conversion KebToIso(std::size_t blocks, std::size_t tail)
{
  const Bytes data = Pattern(blocks * DATA + tail, 7);
  Bytes padded = data;
  padded.resize((blocks + (tail > 0 ? 1 : 0)) * DATA, 0);
  return {"disc.KEB", "disc.ISO", MakeKebImage(data), Concatenated(Bytes(SYSTEM_AREA, 0), padded)};
}

inline Bytes ReadBytes(const std::filesystem::path& path)
{
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const Bytes& bytes)
{
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline std::set<std::string> FolderEntries(const std::filesystem::path& folder)
{
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

class CliTestFolder : public ::testing::Test
{
protected:
  void SetUp() override
  {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/vavizi-cli-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    m_folder = pattern;
  }

  void TearDown() override
  {
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
  }

  [[nodiscard]] std::filesystem::path At(const std::string& name) const { return m_folder / name; }

  std::filesystem::path Folder(const std::string& name) const
  {
    std::filesystem::create_directories(At(name));
    return At(name);
  }

  [[nodiscard]] ChildResult Cli(std::vector<std::string> arguments, ChildOptions options = {}) const
  {
    arguments.insert(arguments.begin(), VAVIZI_CLI_PROGRAM);
    if (options.working_directory.empty())
      options.working_directory = m_folder;
    return RunChild(arguments, options);
  }

  std::filesystem::path m_folder;
};

}  // namespace vavizi::testing
