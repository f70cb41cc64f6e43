// The convert command of vavizi-cli.
#include "cli/convert_sources.h"

#include "cli/interrupt.h"
#include "cli/terminal_window.h"
#include "core/conversion.h"
#include "core/free_space.h"
#include "core/messages.h"
#include "core/path_rules.h"
#include "core/posix_file_system.h"
#include "core/program_state.h"
#include "core/system_clock.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace vavizi::cli
{

std::string FolderOf(std::string_view path)
{
  const std::size_t separator = path.rfind(PATH_SEPARATOR);
  if (separator == std::string_view::npos)
  {
    return ".";
  }
  if (separator == 0)
  {
    return std::string(1, PATH_SEPARATOR);
  }
  return std::string(path.substr(0, separator));
}

int ConvertSources(const CliOptions& options)
{
  if (options.destination_folder)
  {
    const std::string& folder = *options.destination_folder;
    struct stat status
    {
    };
    if (::stat(folder.c_str(), &status) != 0)
    {
      std::fprintf(stderr, "vavizi-cli: destination folder %s: %s\n", folder.c_str(),
                   std::strerror(errno));
      return EXIT_FAILED;
    }
    if (!S_ISDIR(status.st_mode))
    {
      std::fprintf(stderr, "vavizi-cli: destination %s is not a folder\n", folder.c_str());
      return EXIT_FAILED;
    }
  }

  TerminalSettings settings;
  settings.raw_answer = options.raw_answer;
  settings.other_answers = options.other_answers;
  settings.description = options.description.value_or(text::DEFAULT_DESCRIPTION);
  settings.show_progress = !options.quiet && ::isatty(STDERR_FILENO) == 1;
  settings.can_ask = ::isatty(STDIN_FILENO) == 1;
  settings.quiet = options.quiet;

  TerminalWindow window(settings);
  PosixFileSystem files;
  SystemClock clock;
  ProgramState state;
  state.align_to_clock_second = false;
  ConversionContext context{state, window, files, clock};

  bool all_done = true;
  for (std::size_t index = 0; index < options.files.size(); ++index)
  {
    if (InterruptRequested())
    {
      std::fprintf(stderr, "vavizi-cli: stopped by Ctrl-C; %zu source(s) not converted\n",
                   options.files.size() - index);
      return EXIT_FAILED;
    }
    const std::string& source = options.files[index];
    const std::string folder = options.destination_folder.value_or(FolderOf(source));
    window.BeginSource(source, folder);
    state.file_selected = 1;
    state.destination_free_space = FreeSpaceFigure(files.FreeBytes(folder));
    ConversionCommand(context);
    window.FinishProgressLine();
    std::printf("%s\n", window.Message().c_str());
    std::fflush(stdout);
    all_done = all_done && window.Succeeded();
  }
  return all_done && !InterruptRequested() ? EXIT_ALL_DONE : EXIT_FAILED;
}

}  // namespace vavizi::cli
