// The info command of vavizi-cli.
#include "cli/file_report.h"

#include "core/cp932.h"
#include "core/file_info.h"
#include "core/keb_format.h"
#include "core/path_rules.h"
#include "core/posix_file_system.h"
#include "core/program_state.h"
#include "core/result_code.h"
#include "core/sector_layout.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <sys/stat.h>

namespace vavizi::cli
{
namespace
{

constexpr std::size_t HEADER_AND_RECORD_SIZE = keb::HEADER_SIZE + keb::RECORD_READ_SIZE;

void Line(const char* label, const std::string& value)
{
  std::printf("  %-15s%s\n", label, value.c_str());
}

[[nodiscard]] std::string LayoutText(const LayoutProbe& probe)
{
  if (probe.code == ResultCode::ReadError)
  {
    return "the file could not be read";
  }
  if (probe.code != ResultCode::Done)
  {
    return "none (no \"CD001\" at sector 16 of any layout)";
  }
  const SectorLayout& layout = probe.layout;
  std::string text = "layout " + std::to_string(layout.number) + ": " +
                     std::to_string(layout.sector_size) + "-byte sectors";
  if (layout.user_data_offset != 0)
  {
    text += ", user data at byte " + std::to_string(layout.user_data_offset);
  }
  switch (layout.number)
  {
    case 2:
      return text + " (Mode 2 without sync and header)";
    case 3:
      return text + " (raw Mode 1)";
    case 4:
      return text + " (raw Mode 2 Form 1)";
    default:
      return text;
  }
}

[[nodiscard]] std::string Hex(unsigned value)
{
  std::array<char, 8> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "0x%02X", value);
  return buffer.data();
}

// Reads from offset 0 as much as the header and record need; the count of bytes read.
[[nodiscard]] std::size_t ReadStart(File& file, std::span<std::uint8_t> bytes)
{
  if (!file.Seek(0))
  {
    return 0;
  }
  std::size_t total = 0;
  while (total < bytes.size())
  {
    const IoResult result = file.Read(bytes.subspan(total));
    total += result.count;
    if (result.failed || result.count == 0)
    {
      break;
    }
  }
  return total;
}

void ReportKebHeader(std::span<const std::uint8_t> bytes, bool keb_name)
{
  const keb::Reading reading =
      keb::ReadHeader(bytes.first(std::min(bytes.size(), keb::HEADER_SIZE)));
  if (reading.code == ResultCode::NotExpectedKind)
  {
    if (keb_name)
    {
      Line("KEB header:", ResultMessage(Direction::KebToIso, reading.code, ""));
    }
    return;
  }

  const std::uint8_t kind = bytes[keb::KIND_OFFSET];
  std::string kind_text = std::to_string(kind);
  if (kind == keb::KIND_PLAIN)
  {
    kind_text += " (plain image)";
  }
  else if (kind == keb::KIND_RAW)
  {
    kind_text += " (raw image)";
  }
  else
  {
    kind_text += " (unknown)";
  }
  Line("KEB kind:", kind_text);

  const std::uint8_t flag = bytes[keb::SYSTEM_AREA_OFFSET];
  Line("system area:", Hex(flag) + (flag == keb::SYSTEM_AREA_FLAG ? " (restored as 16 zero sectors)"
                                                                  : " (not restored)"));
  Line("image size:", SizeText(keb::LoadU32(bytes, keb::IMAGE_SIZE_OFFSET)));

  const auto field = bytes.subspan(keb::DESCRIPTION_OFFSET, keb::DESCRIPTION_FIELD_SIZE);
  std::string description(field.begin(), field.end());
  description.resize(description.find('\0') == std::string::npos ? description.size()
                                                                 : description.find('\0'));
  Line("description:", Cp932ToUtf8(description));

  keb::Reading final_reading = reading;
  if (reading.code == ResultCode::Done && reading.needs_record)
  {
    final_reading = keb::ReadRecord(reading, bytes);
  }
  if (kind == keb::KIND_RAW && bytes.size() >= keb::DATA_OFFSET_OFFSET + 4)
  {
    Line("sectors:", std::to_string(keb::LoadU32(bytes, keb::SECTOR_COUNT_OFFSET)));
    Line("compression:", std::to_string(bytes[keb::COMPRESSION_OFFSET]));
    Line("data offset:", std::to_string(keb::DataOffset(bytes)));
  }
  else if (final_reading.code == ResultCode::Done)
  {
    Line("data offset:", std::to_string(final_reading.data_offset));
  }
  Line("converts back:", final_reading.code == ResultCode::Done
                             ? std::string("yes")
                             : "no: " + ResultMessage(Direction::KebToIso, final_reading.code, ""));
}

// Reports one file; false when it could not be found or read.
[[nodiscard]] bool ReportFile(PosixFileSystem& files, const std::string& path)
{
  struct stat status
  {
  };
  if (::stat(path.c_str(), &status) != 0)
  {
    std::fprintf(stderr, "vavizi-cli: %s: %s\n", path.c_str(), std::strerror(errno));
    return false;
  }
  if (!S_ISREG(status.st_mode))
  {
    std::fprintf(stderr, "vavizi-cli: %s: not a regular file\n", path.c_str());
    return false;
  }
  std::unique_ptr<File> file = files.OpenRead(path);
  if (!file)
  {
    std::fprintf(stderr, "vavizi-cli: %s: cannot be opened\n", path.c_str());
    return false;
  }

  const std::string_view name = FileNameOf(path);
  const auto size = static_cast<std::uint64_t>(status.st_size);
  std::tm local{};
  localtime_r(&status.st_mtime, &local);
  const FatDateTime stamp = PackFatDateTime({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                             local.tm_hour, local.tm_min, local.tm_sec});

  std::array<std::uint8_t, HEADER_AND_RECORD_SIZE> start{};
  std::array<std::uint8_t, WORK_BUFFER_SIZE> probe_buffer{};
  const LayoutProbe probe = ProbeSectorLayout(*file, probe_buffer);
  const std::size_t start_count = ReadStart(*file, start);
  const bool closed = file->Close();

  std::printf("%s\n", path.c_str());
  Line("size:", SizeText(size));
  Line("sector size:", SectorSizeText(name, size));
  Line("modified:", DateText(stamp.date) + " " + TimeText(stamp.time));
  Line("layout:", LayoutText(probe));
  const std::optional<std::string> extension = ExtensionOf(name);
  ReportKebHeader(std::span<const std::uint8_t>(start).first(start_count),
                  extension && *extension == ".KEB");
  std::fflush(stdout);
  return probe.code != ResultCode::ReadError && closed;
}

}  // namespace

int ReportFiles(const CliOptions& options)
{
  PosixFileSystem files;
  bool all_read = true;
  for (const std::string& path : options.files)
  {
    all_read = ReportFile(files, path) && all_read;
  }
  return all_read ? EXIT_ALL_DONE : EXIT_FAILED;
}

}  // namespace vavizi::cli
