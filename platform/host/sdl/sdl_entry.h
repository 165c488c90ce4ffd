// What the program's main() does on Linux: open the SDL host and run the
// program's WinMain on it.
#ifndef KELVANE_PLATFORM_SDL_ENTRY_H
#define KELVANE_PLATFORM_SDL_ENTRY_H

#include "platform/win32.h"

namespace platform {

// Exit status when no display can be opened.
constexpr int kExitNoDisplay = 2;

using WinMainFunction = int(WINAPI*)(HINSTANCE, HINSTANCE, LPSTR, int);

// Installs the SDL host and returns `winMain`'s result for the program's
// instance, no previous instance, the arguments after the program's name
// joined by spaces, and SW_SHOW. Without a display it says so in one line
// on stderr and returns kExitNoDisplay without calling `winMain`.
int runWithSdlHost(WinMainFunction winMain, int argc, char** argv);

}  // namespace platform

#endif
