// Parsing of the vavizi-cli command line. Options may stand before, between or after the files;
// "--" ends them. Short options may be grouped ("-yq") and take their value attached ("-dOUT") or
// as the next argument; the long forms take it after "=" or as the next argument.
#include "cli/cli_arguments.h"

#include "core/messages.h"

#include <optional>
#include <string>
#include <string_view>

namespace vavizi::cli
{
namespace
{

struct ValueOption
{
  char short_name;
  std::string_view long_name;
  std::optional<std::string> CliOptions::*field;
  std::string_view missing_text;
};

constexpr ValueOption VALUE_OPTIONS[] = {
    {'d', "dir", &CliOptions::destination_folder, "-d needs a folder"},
    {'m', "message", &CliOptions::description, "-m needs a text"},
};

struct FlagOption
{
  char short_name;  // 0 when there is only the long form
  std::string_view long_name;
};

constexpr FlagOption FLAG_OPTIONS[] = {
    {'y', "yes"}, {'n', "no"}, {'q', "quiet"}, {0, "raw"}, {0, "plain"}, {'h', "help"},
};

class Parser
{
public:
  Parser(int argc, const char* const* argv) : m_argc(argc), m_argv(argv) {}

  CliParse Run()
  {
    if (m_argc < 2 || m_argv[1] == nullptr)
    {
      return Fail("no command given");
    }
    const std::string_view command = m_argv[1];
    if (command == "-h" || command == "--help" || command == "help")
    {
      return Help();
    }
    if (command == "convert")
    {
      m_options.command = CliCommand::Convert;
    }
    else if (command == "info")
    {
      m_options.command = CliCommand::Info;
    }
    else
    {
      return Fail("unknown command '" + std::string(command) + "'");
    }

    bool options_ended = false;
    for (m_index = 2; m_index < m_argc && m_argv[m_index] != nullptr; ++m_index)
    {
      const std::string_view argument = m_argv[m_index];
      if (options_ended || argument.size() < 2 || argument[0] != '-')
      {
        m_options.files.emplace_back(argument);
      }
      else if (argument == "--")
      {
        options_ended = true;
      }
      else if (argument.starts_with("--"))
      {
        if (!Long(argument.substr(2)))
        {
          return Result();
        }
      }
      else if (!Short(argument.substr(1)))
      {
        return Result();
      }
      if (m_help)
      {
        return Help();
      }
    }

    if (m_options.files.empty())
    {
      return Fail(m_options.command == CliCommand::Convert ? "no SOURCE given" : "no FILE given");
    }
    return Result();
  }

private:
  CliParse Fail(std::string error)
  {
    m_error = std::move(error);
    return Result();
  }

  CliParse Help()
  {
    CliOptions help;
    help.command = CliCommand::Help;
    return {help, {}};
  }

  CliParse Result()
  {
    if (!m_error.empty())
    {
      return {std::nullopt, m_error};
    }
    return {m_options, {}};
  }

  // The value of an option that takes one: `attached` when not empty, else the next argument.
  std::optional<std::string> TakeValue(std::optional<std::string_view> attached)
  {
    if (attached)
    {
      return std::string(*attached);
    }
    if (m_index + 1 < m_argc && m_argv[m_index + 1] != nullptr)
    {
      ++m_index;
      return std::string(m_argv[m_index]);
    }
    return std::nullopt;
  }

  bool SetValue(const ValueOption& option, std::optional<std::string_view> attached)
  {
    std::optional<std::string> value = TakeValue(attached);
    if (!value || (option.short_name == 'd' && value->empty()))
    {
      m_error = std::string(option.missing_text);
      return false;
    }
    std::optional<std::string>& field = m_options.*option.field;
    if (field)
    {
      m_error = "-" + std::string(1, option.short_name) + " given twice";
      return false;
    }
    field = std::move(value);
    return true;
  }

  bool SetFlag(const FlagOption& flag)
  {
    const std::string_view name = flag.long_name;
    if (name == "help")
    {
      m_help = true;
      return true;
    }
    if (name == "quiet")
    {
      m_options.quiet = true;
      return true;
    }
    if (name == "raw" || name == "plain")
    {
      return SetAnswer(m_options.raw_answer, name == "raw", "--raw and --plain exclude each other");
    }
    return SetAnswer(m_options.other_answers, name == "yes", "-y and -n exclude each other");
  }

  bool SetAnswer(Answer& answer, bool yes, std::string_view conflict)
  {
    const Answer wanted = yes ? Answer::Yes : Answer::No;
    if (answer != Answer::Ask && answer != wanted)
    {
      m_error = std::string(conflict);
      return false;
    }
    answer = wanted;
    return true;
  }

  bool InfoRefuses(std::string_view shown)
  {
    if (m_options.command == CliCommand::Info)
    {
      m_error = "info takes no option " + std::string(shown);
      return true;
    }
    return false;
  }

  bool Long(std::string_view body)
  {
    const std::size_t equals = body.find('=');
    const std::string_view name = body.substr(0, equals);
    std::optional<std::string_view> attached;
    if (equals != std::string_view::npos)
    {
      attached = body.substr(equals + 1);
    }
    const std::string shown = "--" + std::string(name);

    for (const ValueOption& option : VALUE_OPTIONS)
    {
      if (name == option.long_name)
      {
        return !InfoRefuses(shown) && SetValue(option, attached);
      }
    }
    for (const FlagOption& flag : FLAG_OPTIONS)
    {
      if (name == flag.long_name)
      {
        if (attached)
        {
          m_error = shown + " takes no value";
          return false;
        }
        return (name == "help" || !InfoRefuses(shown)) && SetFlag(flag);
      }
    }
    m_error = "unknown option " + shown;
    return false;
  }

  bool Short(std::string_view group)
  {
    for (std::size_t i = 0; i < group.size(); ++i)
    {
      const char letter = group[i];
      const std::string shown = "-" + std::string(1, letter);
      bool known = false;
      for (const ValueOption& option : VALUE_OPTIONS)
      {
        if (letter == option.short_name)
        {
          if (InfoRefuses(shown))
          {
            return false;
          }
          std::optional<std::string_view> attached;
          if (i + 1 < group.size())
          {
            attached = group.substr(i + 1);
          }
          return SetValue(option, attached);
        }
      }
      for (const FlagOption& flag : FLAG_OPTIONS)
      {
        if (flag.short_name != 0 && letter == flag.short_name)
        {
          if (letter != 'h' && InfoRefuses(shown))
          {
            return false;
          }
          if (!SetFlag(flag))
          {
            return false;
          }
          known = true;
          break;
        }
      }
      if (!known)
      {
        m_error = "unknown option " + shown;
        return false;
      }
    }
    return true;
  }

  int m_argc;
  const char* const* m_argv;
  int m_index = 2;
  bool m_help = false;
  CliOptions m_options;
  std::string m_error;
};

}  // namespace

CliParse ParseCliArguments(int argc, const char* const* argv)
{
  return Parser(argc, argv).Run();
}

std::string UsageText(std::string_view program)
{
  const std::string name(program);
  return "usage: " + name +
         " convert [-d DIR] [-m TEXT] [--raw | --plain] [-y | -n] [-q] SOURCE...\n" + "       " +
         name + " info FILE...\n";
}

std::string HelpText(std::string_view program)
{
  return UsageText(program) +
         "\n"
         "convert  turns each .ISO/.IMG source into a .KEB image and each .KEB source into an "
         ".ISO\n"
         "         image, one after another, and prints one line of outcome per source.\n"
         "  -d DIR    write into DIR instead of each source's own folder\n"
         "  -m TEXT   description stored in the KEB header (default " +
         text::DEFAULT_DESCRIPTION +
         ")\n"
         "  --raw     keep whole 2352-byte sectors of a Mode 2 Form 1 source\n"
         "  --plain   store only the 2048 data bytes of each sector\n"
         "  -y, -n    answer Yes or No to the other questions (overwrite, start, boot area)\n"
         "  -q        no progress display\n"
         "  A question without an answer on the command line is asked on the terminal, or\n"
         "  answered No when standard input is not a terminal. Ctrl-C stops the conversion.\n"
         "info     shows size, sector size, date, layout and KEB header of each file.\n"
         "\n"
         "exit status: 0 all done, 1 a conversion or file failed, 64 usage error\n";
}

}  // namespace vavizi::cli
