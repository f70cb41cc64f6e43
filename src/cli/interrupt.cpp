// The SIGINT flag of vavizi-cli.
#include "cli/interrupt.h"

#include <csignal>
#include <signal.h>

namespace vavizi::cli
{
namespace
{

volatile std::sig_atomic_t g_interrupted = 0;

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
}

}  // namespace

void InstallInterruptHandler()
{
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

}  // namespace vavizi::cli
