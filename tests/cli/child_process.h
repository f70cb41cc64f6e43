// Runs a program as a child for the end-to-end tests: its standard output and error captured, in a
// folder of the test's choosing, with an optional file-size limit, and optionally with standard
// input and error on a pseudo-terminal that the test reads and types into.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace vavizi::testing
{

struct ChildOptions
{
  std::string working_directory;
  std::vector<std::string> environment;          // "NAME=value" added to the test's own
  std::optional<std::uint64_t> file_size_limit;  // RLIMIT_FSIZE in bytes
  bool terminal = false;  // stdin and stderr on a pseudo-terminal instead of /dev/null and a pipe
};

struct ChildResult
{
  int exit_status = -1;  // -1 when ended by a signal
  int signal = 0;        // the signal that ended it, 0 when it exited
  std::string out;       // standard output
  std::string err;       // standard error, or everything the terminal showed
};

class ChildProcess
{
public:
  ChildProcess(const std::vector<std::string>& arguments, const ChildOptions& options);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Reads the terminal until `text` has appeared in it; false after `timeout` or at its end.
  [[nodiscard]] bool WaitForTerminalText(std::string_view text, std::chrono::seconds timeout);
  // Types `text` on the terminal.
  void Type(std::string_view text);
  void Signal(int signal_number);
  // Reads what is left and waits for the end (killing the child after `timeout`).
  [[nodiscard]] ChildResult Finish(std::chrono::seconds timeout = std::chrono::seconds(60));

private:
  // Moves what is readable now into the captured texts; waits up to `wait` for it. False once
  // every stream has ended.
  bool Pump(std::chrono::milliseconds wait);

  pid_t m_pid = -1;
  int m_out = -1;
  int m_err = -1;  // pipe, or the terminal's master side
  ChildResult m_result;
};

// Runs to the end and returns what it did.
[[nodiscard]] ChildResult RunChild(const std::vector<std::string>& arguments,
                                   const ChildOptions& options = {});

}  // namespace vavizi::testing
