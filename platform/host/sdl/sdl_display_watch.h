// What happens when the display goes away under a running program: the X
// server dies, or the SSH session that forwarded it drops. Xlib's answer is
// to call exit(), which runs the static destructors, and those ask the dead
// connection to destroy the window and wait for ever for its reply; and a
// program asleep in a wait for input may never ask Xlib anything. Here the
// program ends at once instead, whichever notices first, Xlib or a watch on
// the connection: one line on stderr, _exit with kExitDisplayLost, nothing
// further sent to the display.
#ifndef KELVANE_PLATFORM_SDL_DISPLAY_WATCH_H
#define KELVANE_PLATFORM_SDL_DISPLAY_WATCH_H

#include <SDL.h>

namespace platform {

// The status of a program whose display was lost.
constexpr int kExitDisplayLost = 1;

// Whether an X server accepts a connection at display `name`. The
// connection stays open until releaseXDisplay(): a server whose last client
// leaves resets, and would refuse the connection that follows at once.
bool canOpenXDisplay(const char* name);
void releaseXDisplay();

// Takes over Xlib's fatal-error path and keeps a broken pipe from killing
// the process before Xlib notices; called as soon as the video subsystem is
// up, because the display can go while the window and renderer are made.
// Does nothing for drivers other than X11.
void watchDisplay();
// Watches the connection `window` lives on from a thread of its own, which
// ends the program as soon as the server hangs up, whatever the program is
// doing then: waiting for input, drawing, or in the middle of a drag.
void watchConnection(SDL_Window* window);
// Stands the watch down before the program closes the connection itself,
// which the watch would otherwise take for the server's hang-up.
void unwatchConnection();

// Says that the display was lost and ends the process without running
// destructors.
[[noreturn]] void endForLostDisplay();

}  // namespace platform

#endif
