// What the program's main() does on Linux: open the SDL host and run the
// program's WinMain on it.
#ifndef KELVANE_PLATFORM_SDL_ENTRY_H
#define KELVANE_PLATFORM_SDL_ENTRY_H

#include "platform/user/user.h"

namespace platform {

// Exit status when no display can be opened.
constexpr int kExitNoDisplay = 2;

// Installs the SDL host and returns callWinMain's result. Without a display
// it says so in one line on stderr and returns kExitNoDisplay without
// calling `winMain`. Asked for --help (or -h), it calls `winMain` without
// opening the display.
int runWithSdlHost(WinMainFunction winMain, int argc, char** argv);

}  // namespace platform

#endif
