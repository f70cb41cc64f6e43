// The file look-up over stat and the C library's local time, which follows TZ.
#include "platform/file_lookup.h"

#include <ctime>
#include <sys/stat.h>

namespace vavizi
{
namespace
{

LocalTime ToLocalTime(std::time_t seconds)
{
  // The C library reads TZ again only when asked; tests and users may change it while we run.
  ::tzset();
  std::tm parts{};
  if (::localtime_r(&seconds, &parts) == nullptr)
  {
    // Beyond what the C library can break down: let the packing clamp it to the nearer end.
    LocalTime outside;
    outside.year = seconds < 0 ? 1900 : 3000;
    return outside;
  }
  LocalTime local;
  local.year = parts.tm_year + 1900;
  local.month = parts.tm_mon + 1;
  local.day = parts.tm_mday;
  local.hour = parts.tm_hour;
  local.minute = parts.tm_min;
  // A leap second (60) would not fit the packed form.
  local.second = parts.tm_sec > 59 ? 59 : parts.tm_sec;
  return local;
}

}  // namespace

std::optional<FileRecord> LookUpFile(const std::string& path)
{
  struct stat info
  {
  };
  if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
  {
    return std::nullopt;
  }
  FileRecord record;
  const std::size_t slash = path.rfind('/');
  record.name = slash == std::string::npos ? path : path.substr(slash + 1);
  record.size = static_cast<std::uint64_t>(info.st_size);
  const FatDateTime packed = PackFatDateTime(ToLocalTime(info.st_mtim.tv_sec));
  record.date = packed.date;
  record.time = packed.time;
  return record;
}

}  // namespace vavizi
