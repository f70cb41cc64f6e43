// Parses a command line made from the input, split on NUL bytes into argv[1], argv[2], ... (each
// argument its own allocation, so a read past one is caught). A parse either gives options that
// make sense for their command or an error, never both.
#include "fuzz_check.h"

#include "cli/cli_arguments.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

using namespace vavizi::cli;

namespace
{

void CheckOptions(const CliOptions& options, const std::vector<std::string_view>& arguments)
{
  if (options.command == CliCommand::Help)
    return;
  FUZZ_CHECK(!options.files.empty());
  for (const std::string& file : options.files)
    FUZZ_CHECK(std::find(arguments.begin(), arguments.end(), file) != arguments.end());
  if (options.destination_folder)
    FUZZ_CHECK(!options.destination_folder->empty());
  if (options.command == CliCommand::Info)
  {
    FUZZ_CHECK(!options.destination_folder && !options.description && !options.quiet);
    FUZZ_CHECK(options.raw_answer == Answer::Ask && options.other_answers == Answer::Ask);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::unique_ptr<char[]>> storage;
  std::vector<std::string_view> arguments;
  std::vector<const char*> argv = {"vavizi-cli"};
  std::size_t start = 0;
  while (start <= input.size() && size > 0)
  {
    const auto end = std::min(input.find('\0', start), input.size());
    const std::string_view argument = input.substr(start, end - start);
    storage.push_back(std::make_unique<char[]>(argument.size() + 1));
    std::copy(argument.begin(), argument.end(), storage.back().get());
    argv.push_back(storage.back().get());
    arguments.push_back(argument);
    start = end + 1;
  }
  const int argc = static_cast<int>(argv.size());
  argv.push_back(nullptr);

  const CliParse parse = ParseCliArguments(argc, argv.data());
  FUZZ_CHECK(parse.options.has_value() == parse.error.empty());
  if (parse.options)
    CheckOptions(*parse.options, arguments);

  const CliParse again = ParseCliArguments(argc, argv.data());
  FUZZ_CHECK(again.error == parse.error);
  FUZZ_CHECK(again.options.has_value() == parse.options.has_value());
  if (again.options)
    FUZZ_CHECK(again.options->files == parse.options->files &&
               again.options->description == parse.options->description &&
               again.options->destination_folder == parse.options->destination_folder);
  return 0;
}
