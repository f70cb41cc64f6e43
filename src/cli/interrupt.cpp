// The SIGINT flag of vavizi-cli.
#include "cli/interrupt.h"

#include <csignal>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace vavizi::cli
{
namespace
{

volatile std::sig_atomic_t g_interrupted = 0;
int g_pipe[2] = {-1, -1};

extern "C" void OnInterrupt(int signal_number)
{
  if (g_interrupted != 0)
  {
    // The first Ctrl-C waits for the copy loop; a second one is for a program that does not answer.
    std::signal(signal_number, SIG_DFL);
    std::raise(signal_number);
    return;
  }
  g_interrupted = 1;
  if (g_pipe[1] >= 0)
  {
    const char byte = 1;
    (void)!::write(g_pipe[1], &byte, 1);
  }
}

}  // namespace

void InstallInterruptHandler()
{
  if (g_pipe[0] < 0 && ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
  {
    g_pipe[0] = g_pipe[1] = -1;
  }
  struct sigaction action
  {
  };
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  sigaction(SIGINT, &action, nullptr);
}

bool InterruptRequested()
{
  return g_interrupted != 0;
}

int InterruptDescriptor()
{
  return g_pipe[0];
}

}  // namespace vavizi::cli
