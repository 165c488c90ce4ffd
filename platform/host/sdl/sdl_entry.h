// What the program's main() does on Linux: install the SDL host and run the
// program's WinMain on it.
#ifndef KELVANE_PLATFORM_SDL_ENTRY_H
#define KELVANE_PLATFORM_SDL_ENTRY_H

#include "platform/user/user.h"

namespace platform {

// Exit status when no display can be opened: distinct from a failure of
// the program (1) and a bad command line (2), so that a script can fall
// back to rendering frames.
constexpr int kExitNoDisplay = 3;

// Installs the SDL host, which opens the display at the program's first
// call that needs it, and runs callWinMain. Returns the process's status
// for WinMain's result: 0 for 1 (every normal end) and for 0 (an end
// before the message loop, such as after the usage), support::kExitUsage
// for itself (a bad command line), 1 for anything else. When the display
// cannot be opened it says so in one line on stderr and the process ends
// there with kExitNoDisplay.
int runWithSdlHost(WinMainFunction winMain, int argc, char** argv);

}  // namespace platform

#endif
