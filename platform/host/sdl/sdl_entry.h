// What the program's main() does on Linux: open the SDL host and run the
// program's WinMain on it.
#ifndef KELVANE_PLATFORM_SDL_ENTRY_H
#define KELVANE_PLATFORM_SDL_ENTRY_H

#include "platform/user/user.h"

namespace platform {

// Exit status when no display can be opened: distinct from a failure of
// the program (1) and a bad command line (2), so that a script can fall
// back to rendering frames.
constexpr int kExitNoDisplay = 3;

// Installs the SDL host and runs callWinMain. Returns the process's status:
// 0 when WinMain ends normally (with 1, as it does on every normal end), 1
// when it reports a failure. Without a display it says so in one line on
// stderr and returns kExitNoDisplay without calling `winMain`. Asked for --help (or -h), it calls `winMain`
// without opening the display.
int runWithSdlHost(WinMainFunction winMain, int argc, char** argv);

}  // namespace platform

#endif
