// What the USER subset offers beyond the Win32 calls themselves: the
// program's own instance handle and the call of its entry point, and a reset
// for tests.
#ifndef KELVANE_PLATFORM_USER_H
#define KELVANE_PLATFORM_USER_H

#include "platform/win32.h"

namespace platform {

// The instance handle of the program's own module, which carries no
// resources (so LoadIconA on it finds no icon, as for the real program).
HINSTANCE programInstance();

using WinMainFunction = int(WINAPI*)(HINSTANCE, HINSTANCE, LPSTR, int);

// What a host's main() hands over to: `winMain`'s result for the program's
// instance, no previous instance, the arguments after the program's name
// as Windows would write them (support/command_line_text.h), and SW_SHOW.
int callWinMain(WinMainFunction winMain, int argc, char** argv);

// Exit status of a run that waits for input when none can ever arrive
// (the headless script ran out, or no host was installed).
constexpr int kExitNoMoreInput = 3;

// Forgets every window class, window, queued message, the activation and
// focus state, the mouse button state and the cursor's display counter.
void resetUser();

}  // namespace platform

#endif
