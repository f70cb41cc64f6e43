// vavizi-cli: the conversions of VAVIZI without windows, for scripts and terminals.
#include "cli/cli_arguments.h"
#include "cli/convert_sources.h"
#include "cli/file_report.h"
#include "cli/interrupt.h"

#include <csignal>
#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
  using namespace vavizi::cli;

  const CliParse parse = ParseCliArguments(argc, argv);
  if (!parse.options)
  {
    std::fprintf(stderr, "vavizi-cli: %s\n%s(vavizi-cli --help tells more)\n", parse.error.c_str(),
                 UsageText("vavizi-cli").c_str());
    return EXIT_USAGE;
  }
  const CliOptions& options = *parse.options;
  switch (options.command)
  {
    case CliCommand::Help:
      std::fputs(HelpText("vavizi-cli").c_str(), stdout);
      return EXIT_ALL_DONE;
    case CliCommand::Info:
      return ReportFiles(options);
    case CliCommand::Convert:
      break;
  }
  // A write beyond the file-size limit then fails like any other write and is reported as such.
  std::signal(SIGXFSZ, SIG_IGN);
  InstallInterruptHandler();
  return ConvertSources(options);
}
