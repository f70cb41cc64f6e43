// The command line of vavizi-cli, parsed without touching the terminal or the file system so that
// every form can be checked in tests and fed to a fuzzer.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vavizi::cli
{

// Exit statuses of vavizi-cli.
inline constexpr int EXIT_ALL_DONE = 0;
inline constexpr int EXIT_FAILED = 1;  // a conversion or a file failed, or Ctrl-C stopped the run
inline constexpr int EXIT_USAGE = 64;

enum class CliCommand
{
  Convert,
  Info,
  Help,
};

// How a question of the conversion is answered.
enum class Answer
{
  Ask,  // on the terminal when there is one, else No
  Yes,
  No,
};

struct CliOptions
{
  CliCommand command = CliCommand::Convert;
  // -d: where the converted files go; empty means beside each source.
  std::optional<std::string> destination_folder;
  // -m: the description stored in the KEB header, UTF-8; empty when not given.
  std::optional<std::string> description;
  Answer raw_answer = Answer::Ask;     // --raw / --plain
  Answer other_answers = Answer::Ask;  // -y / -n: overwrite, start and system-area questions
  bool quiet = false;                  // -q: no progress display
  std::vector<std::string> files;      // SOURCE... or FILE..., in the given order

  friend bool operator==(const CliOptions&, const CliOptions&) = default;
};

struct CliParse
{
  std::optional<CliOptions> options;  // empty on a usage error
  std::string error;                  // one line saying what is wrong, when `options` is empty
};

// Parses argv[1] to argv[argc - 1]; argv[0] is the program's name and is not looked at.
[[nodiscard]] CliParse ParseCliArguments(int argc, const char* const* argv);

// The two synopsis lines, shown after a usage error.
[[nodiscard]] std::string UsageText(std::string_view program);
// The synopsis and what every command and option does, for --help.
[[nodiscard]] std::string HelpText(std::string_view program);

}  // namespace vavizi::cli
