// Child processes for the end-to-end tests.
#include "child_process.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vavizi::testing
{
namespace
{

[[noreturn]] void StartInChild(const std::vector<std::string>& arguments,
                               const ChildOptions& options, int out_write, int err_write,
                               const char* terminal_name)
{
  if (terminal_name != nullptr)
  {
    setsid();
    const int terminal = open(terminal_name, O_RDWR);
    if (terminal < 0)
    {
      _exit(126);
    }
    dup2(terminal, STDIN_FILENO);
    dup2(terminal, STDERR_FILENO);
    if (terminal > STDERR_FILENO)
    {
      close(terminal);
    }
  }
  else
  {
    const int null_input = open("/dev/null", O_RDONLY);
    dup2(null_input, STDIN_FILENO);
    dup2(err_write, STDERR_FILENO);
  }
  dup2(out_write, STDOUT_FILENO);
  if (!options.working_directory.empty() && chdir(options.working_directory.c_str()) != 0)
  {
    _exit(126);
  }
  for (const std::string& variable : options.environment)
  {
    putenv(const_cast<char*>(variable.c_str()));
  }
  if (options.file_size_limit)
  {
    const rlimit limit{*options.file_size_limit, *options.file_size_limit};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  signal(SIGINT, SIG_DFL);
  std::vector<char*> argv;
  for (const std::string& argument : arguments)
  {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(127);
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& arguments, const ChildOptions& options)
{
  int out_pipe[2] = {-1, -1};
  int err_pipe[2] = {-1, -1};
  const char* terminal_name = nullptr;
  if (pipe2(out_pipe, O_CLOEXEC) != 0)
  {
    return;
  }
  if (options.terminal)
  {
    m_err = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_err < 0 || grantpt(m_err) != 0 || unlockpt(m_err) != 0)
    {
      return;
    }
    terminal_name = ptsname(m_err);
  }
  else
  {
    if (pipe2(err_pipe, O_CLOEXEC) != 0)
    {
      return;
    }
    m_err = err_pipe[0];
  }
  m_pid = fork();
  if (m_pid == 0)
  {
    StartInChild(arguments, options, out_pipe[1], err_pipe[1], terminal_name);
  }
  m_out = out_pipe[0];
  close(out_pipe[1]);
  if (err_pipe[1] >= 0)
  {
    close(err_pipe[1]);
  }
}

ChildProcess::~ChildProcess()
{
  if (m_pid > 0)
  {
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
  }
  for (const int fd : {m_out, m_err})
  {
    if (fd >= 0)
    {
      close(fd);
    }
  }
}

bool ChildProcess::Pump(std::chrono::milliseconds wait)
{
  pollfd fds[2] = {{m_out, POLLIN, 0}, {m_err, POLLIN, 0}};
  if (m_out < 0 && m_err < 0)
  {
    return false;
  }
  if (poll(fds, 2, static_cast<int>(wait.count())) <= 0)
  {
    return true;
  }
  int* const descriptors[2] = {&m_out, &m_err};
  std::string* const texts[2] = {&m_result.out, &m_result.err};
  for (int i = 0; i < 2; ++i)
  {
    if (*descriptors[i] < 0 || fds[i].revents == 0)
    {
      continue;
    }
    char buffer[4096];
    const ssize_t count = read(*descriptors[i], buffer, sizeof buffer);
    if (count > 0)
    {
      texts[i]->append(buffer, static_cast<std::size_t>(count));
    }
    else if (count == 0 || errno != EINTR)
    {
      // The terminal's master side reports EIO once the child has closed its side.
      close(*descriptors[i]);
      *descriptors[i] = -1;
    }
  }
  return m_out >= 0 || m_err >= 0;
}

bool ChildProcess::WaitForTerminalText(std::string_view text, std::chrono::seconds timeout)
{
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (m_result.err.find(text) == std::string::npos)
  {
    if (std::chrono::steady_clock::now() > deadline || !Pump(std::chrono::milliseconds(50)))
    {
      return m_result.err.find(text) != std::string::npos;
    }
  }
  return true;
}

void ChildProcess::Type(std::string_view text)
{
  if (m_err >= 0)
  {
    (void)!write(m_err, text.data(), text.size());
  }
}

void ChildProcess::Signal(int signal_number)
{
  if (m_pid > 0)
  {
    kill(m_pid, signal_number);
  }
}

ChildResult ChildProcess::Finish(std::chrono::seconds timeout)
{
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (Pump(std::chrono::milliseconds(100)))
  {
    if (std::chrono::steady_clock::now() > deadline)
    {
      kill(m_pid, SIGKILL);
      break;
    }
  }
  int status = 0;
  if (m_pid > 0 && waitpid(m_pid, &status, 0) == m_pid)
  {
    if (WIFEXITED(status))
    {
      m_result.exit_status = WEXITSTATUS(status);
    }
    else if (WIFSIGNALED(status))
    {
      m_result.signal = WTERMSIG(status);
    }
  }
  m_pid = -1;
  return m_result;
}

ChildResult RunChild(const std::vector<std::string>& arguments, const ChildOptions& options)
{
  ChildProcess child(arguments, options);
  return child.Finish();
}

}  // namespace vavizi::testing
