// The vavizi-cli command line: every accepted form and every usage error.
#include "cli/cli_arguments.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vavizi::cli
{

void PrintTo(const CliOptions& options, std::ostream* out)
{
  *out << "{command " << static_cast<int>(options.command) << ", -d "
       << options.destination_folder.value_or("(none)") << ", -m "
       << options.description.value_or("(none)") << ", raw " << static_cast<int>(options.raw_answer)
       << ", others " << static_cast<int>(options.other_answers) << ", quiet " << options.quiet
       << ", files";
  for (const std::string& file : options.files)
  {
    *out << " [" << file << "]";
  }
  *out << "}";
}

namespace
{

CliParse Parse(const std::vector<std::string>& arguments)
{
  std::vector<const char*> argv{"vavizi-cli"};
  for (const std::string& argument : arguments)
  {
    argv.push_back(argument.c_str());
  }
  argv.push_back(nullptr);
  return ParseCliArguments(static_cast<int>(argv.size() - 1), argv.data());
}

CliOptions Convert(std::vector<std::string> files)
{
  CliOptions options;
  options.files = std::move(files);
  return options;
}

struct ValidCase
{
  std::string name;
  std::vector<std::string> arguments;
  CliOptions expected;
};

std::vector<ValidCase> ValidCases()
{
  std::vector<ValidCase> cases;
  cases.push_back({"OneSource", {"convert", "disc.iso"}, Convert({"disc.iso"})});

  CliOptions every = Convert({"a.iso", "b.KEB"});
  every.destination_folder = "out";
  every.description = "テスト";
  every.raw_answer = Answer::Yes;
  every.other_answers = Answer::Yes;
  every.quiet = true;
  cases.push_back({"EveryOption",
                   {"convert", "-d", "out", "-m", "テスト", "--raw", "-y", "-q", "a.iso", "b.KEB"},
                   every});
  cases.push_back({"LongForms",
                   {"convert", "--dir=out", "--message", "テスト", "--raw", "--yes", "--quiet",
                    "a.iso", "b.KEB"},
                   every});
  cases.push_back({"ValuesAttachedAndGrouped",
                   {"convert", "-yqdout", "-mテスト", "--raw", "a.iso", "b.KEB"},
                   every});

  CliOptions after = Convert({"a.iso", "b.iso"});
  after.raw_answer = Answer::No;
  after.other_answers = Answer::No;
  cases.push_back(
      {"OptionsAfterAndBetweenFiles", {"convert", "a.iso", "--plain", "b.iso", "-n"}, after});

  CliOptions grouped_value = Convert({"a.iso"});
  grouped_value.quiet = true;
  grouped_value.destination_folder = "out dir";
  cases.push_back({"GroupEndingInValueOptionTakesNextArgument",
                   {"convert", "-qd", "out dir", "a.iso"},
                   grouped_value});

  CliOptions empty_description = Convert({"a.iso"});
  empty_description.description = "";
  cases.push_back({"EmptyDescription", {"convert", "-m", "", "a.iso"}, empty_description});
  cases.push_back({"EmptyDescriptionLong", {"convert", "--message=", "a.iso"}, empty_description});

  CliOptions dashes = Convert({"-x.iso", "--raw", "-"});
  cases.push_back({"DoubleDashEndsOptions", {"convert", "--", "-x.iso", "--raw", "-"}, dashes});
  cases.push_back({"LoneDashIsAFile", {"convert", "-", "a.iso"}, Convert({"-", "a.iso"})});

  CliOptions repeated = Convert({"a.iso"});
  repeated.other_answers = Answer::Yes;
  cases.push_back({"RepeatedAnswerAgrees", {"convert", "-y", "-y", "a.iso"}, repeated});

  CliOptions info;
  info.command = CliCommand::Info;
  info.files = {"a.iso", "-b.KEB"};
  cases.push_back({"Info", {"info", "a.iso", "--", "-b.KEB"}, info});

  CliOptions help;
  help.command = CliCommand::Help;
  cases.push_back({"HelpAsCommand", {"--help"}, help});
  cases.push_back({"ShortHelp", {"-h"}, help});
  cases.push_back({"HelpWord", {"help"}, help});
  cases.push_back({"HelpInConvert", {"convert", "a.iso", "-h"}, help});
  cases.push_back({"HelpInInfo", {"info", "--help"}, help});
  return cases;
}

void PrintTo(const ValidCase& test_case, std::ostream* out)
{
  *out << test_case.name;
}

class CliArgumentsValid : public ::testing::TestWithParam<ValidCase>
{
};

TEST_P(CliArgumentsValid, Parses)
{
  const CliParse parse = Parse(GetParam().arguments);
  ASSERT_TRUE(parse.options.has_value()) << parse.error;
  EXPECT_EQ(*parse.options, GetParam().expected);
  EXPECT_TRUE(parse.error.empty());
}

INSTANTIATE_TEST_SUITE_P(Forms, CliArgumentsValid, ::testing::ValuesIn(ValidCases()),
                         [](const auto& test) { return test.param.name; });

struct ErrorCase
{
  std::string name;
  std::vector<std::string> arguments;
  std::string error;
};

const ErrorCase ERROR_CASES[] = {
    {"NoCommand", {}, "no command given"},
    {"UnknownCommand", {"frobnicate", "a.iso"}, "unknown command 'frobnicate'"},
    {"EmptyCommand", {""}, "unknown command ''"},
    {"ConvertWithoutSource", {"convert", "-y"}, "no SOURCE given"},
    {"InfoWithoutFile", {"info"}, "no FILE given"},
    {"UnknownShortOption", {"convert", "-x", "a.iso"}, "unknown option -x"},
    {"UnknownOptionInGroup", {"convert", "-yz", "a.iso"}, "unknown option -z"},
    {"UnknownLongOption", {"convert", "--force", "a.iso"}, "unknown option --force"},
    {"FolderMissingAtEnd", {"convert", "a.iso", "-d"}, "-d needs a folder"},
    {"EmptyFolder", {"convert", "-d", "", "a.iso"}, "-d needs a folder"},
    {"EmptyFolderLong", {"convert", "--dir=", "a.iso"}, "-d needs a folder"},
    {"TextMissingAtEnd", {"convert", "a.iso", "--message"}, "-m needs a text"},
    {"FolderTwice", {"convert", "-d", "a", "--dir=b", "x.iso"}, "-d given twice"},
    {"TextTwice", {"convert", "-m", "a", "-m", "b", "x.iso"}, "-m given twice"},
    {"RawAndPlain", {"convert", "--raw", "--plain", "x.iso"}, "--raw and --plain exclude"},
    {"YesAndNo", {"convert", "-y", "x.iso", "-n"}, "-y and -n exclude"},
    {"YesAndNoGrouped", {"convert", "-yn", "x.iso"}, "-y and -n exclude"},
    {"FlagWithValue", {"convert", "--quiet=1", "x.iso"}, "--quiet takes no value"},
    {"InfoWithFolder", {"info", "-d", "out", "a.iso"}, "info takes no option -d"},
    {"InfoWithAnswer", {"info", "-y", "a.iso"}, "info takes no option -y"},
    {"InfoWithRaw", {"info", "--raw", "a.iso"}, "info takes no option --raw"},
};

void PrintTo(const ErrorCase& test_case, std::ostream* out)
{
  *out << test_case.name;
}

class CliArgumentsError : public ::testing::TestWithParam<ErrorCase>
{
};

TEST_P(CliArgumentsError, IsAUsageError)
{
  const CliParse parse = Parse(GetParam().arguments);
  EXPECT_FALSE(parse.options.has_value());
  EXPECT_NE(parse.error.find(GetParam().error), std::string::npos) << parse.error;
}

INSTANTIATE_TEST_SUITE_P(Errors, CliArgumentsError, ::testing::ValuesIn(ERROR_CASES),
                         [](const auto& test) { return test.param.name; });

TEST(CliArguments, NullTerminatedArgumentListEndsEarly)
{
  const char* argv[] = {"vavizi-cli", "convert", nullptr, "ignored.iso"};
  const CliParse parse = ParseCliArguments(4, argv);
  EXPECT_FALSE(parse.options.has_value());
  EXPECT_EQ(parse.error, "no SOURCE given");
}

}  // namespace
}  // namespace vavizi::cli
