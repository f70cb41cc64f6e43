// Takes arbitrary source paths and destination folders through the path rules the conversion
// command uses, checking each rule on its own and the destination path they build together.
//   input: destination folder, a NUL byte, source path (without a NUL, the folder is empty)
#include "fuzz_check.h"

#include "core/path_rules.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace vavizi;

namespace
{

bool HasLowerAscii(std::string_view text)
{
  return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

void CheckName(std::string_view path, std::string_view name)
{
  FUZZ_CHECK(path.ends_with(name));
  FUZZ_CHECK(name.find(PATH_SEPARATOR) == std::string_view::npos);
  if (name.size() < path.size())
    FUZZ_CHECK(path[path.size() - name.size() - 1] == PATH_SEPARATOR);
  else
    FUZZ_CHECK(path.find(PATH_SEPARATOR) == std::string_view::npos);
}

void CheckExtension(std::string_view name, const std::optional<std::string>& extension)
{
  const auto dot = name.find('.');
  FUZZ_CHECK(extension.has_value() == (dot != std::string_view::npos));
  if (!extension)
    return;
  FUZZ_CHECK(extension->size() == name.size() - dot);
  FUZZ_CHECK(*extension == ToUpperAscii(name.substr(dot)));
  FUZZ_CHECK(!HasLowerAscii(*extension));
}

void CheckBase(std::string_view name, std::string_view base)
{
  FUZZ_CHECK(name.starts_with(base));
  const std::string_view rest = name.substr(base.size());
  if (rest.empty())
    FUZZ_CHECK(name.find('.') == std::string_view::npos);
  else
    FUZZ_CHECK(rest.front() == '.' && rest.find('.', 1) == std::string_view::npos);
}

void CheckDestination(std::string_view folder, std::string_view base, const ConversionPlan& plan)
{
  const std::string destination = JoinDestinationPath(folder, base, plan.new_extension);
  const std::string name = std::string(base) + plan.new_extension;
  FUZZ_CHECK(destination.starts_with(folder));
  FUZZ_CHECK(destination.ends_with(name));
  FUZZ_CHECK(FileNameOf(destination) == name);
  // Exactly one separator stands between the folder's own text and the name.
  std::string_view between =
      std::string_view(destination).substr(0, destination.size() - name.size());
  if (folder.empty())
  {
    FUZZ_CHECK(between.empty());
  }
  else
  {
    FUZZ_CHECK(between.back() == PATH_SEPARATOR);
    between.remove_suffix(1);
    FUZZ_CHECK(between == folder ||
               (between.size() + 1 == folder.size() && folder.back() == PATH_SEPARATOR &&
                folder.starts_with(between)));
  }
  // The destination converts back the other way.
  const auto back = ExtensionOf(FileNameOf(destination));
  FUZZ_CHECK(back == plan.new_extension);
  const auto reverse = PlanForExtension(*back);
  FUZZ_CHECK(reverse && reverse->to_iso != plan.to_iso);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto split = input.find('\0');
  const std::string_view folder = split == std::string_view::npos ? "" : input.substr(0, split);
  const std::string_view path = split == std::string_view::npos ? input : input.substr(split + 1);

  const std::string_view name = FileNameOf(path);
  CheckName(path, name);
  const auto extension = ExtensionOf(name);
  CheckExtension(name, extension);
  const std::string_view base = BaseNameOf(name);
  CheckBase(name, base);
  FUZZ_CHECK(ToUpperAscii(path).size() == path.size());

  if (!extension)
    return 0;
  const auto plan = PlanForExtension(*extension);
  FUZZ_CHECK(plan.has_value() ==
             (*extension == ".KEB" || *extension == ".ISO" || *extension == ".IMG"));
  if (!plan)
    return 0;
  FUZZ_CHECK(plan->to_iso == (*extension == ".KEB"));
  FUZZ_CHECK(plan->new_extension == (plan->to_iso ? ".ISO" : ".KEB"));
  CheckDestination(folder, base, *plan);
  return 0;
}
