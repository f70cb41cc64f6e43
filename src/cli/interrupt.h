// Ctrl-C as the abort button: the signal handler only raises a flag, which the terminal front reads
// where the window would process its pending events. A second Ctrl-C ends the program at once.
#pragma once

namespace vavizi::cli
{

// Installs the SIGINT handler without SA_RESTART, so that a blocking read of a terminal answer
// returns early.
void InstallInterruptHandler();

// True once Ctrl-C has been pressed.
[[nodiscard]] bool InterruptRequested();

// A descriptor that becomes readable at Ctrl-C, for waits that must not miss a signal arriving
// just before they block; -1 before the handler is installed.
[[nodiscard]] int InterruptDescriptor();

}  // namespace vavizi::cli
