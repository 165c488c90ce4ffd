// What happens when the display goes away under a running program: the X
// server dies, or the SSH session that forwarded it drops. Xlib's answer is
// to call exit(), which runs the static destructors, and those ask the dead
// connection to destroy the window and wait for ever for its reply. Here the
// program ends at once instead: one line on stderr, _exit with
// kExitDisplayLost, nothing further sent to the display.
#ifndef KELVANE_PLATFORM_SDL_DISPLAY_WATCH_H
#define KELVANE_PLATFORM_SDL_DISPLAY_WATCH_H

#include <SDL.h>

namespace platform {

// The status of a program whose display was lost.
constexpr int kExitDisplayLost = 1;

// Takes over Xlib's fatal-error path and keeps a broken pipe from killing
// the process before Xlib notices; called as soon as the video subsystem is
// up, because the display can go while the window and renderer are made.
// Does nothing for drivers other than X11.
void watchDisplay();
// Remembers the connection `window` lives on, for displayClosed().
void watchConnection(SDL_Window* window);

// Whether the server has closed the watched connection, seen without
// reading from it; false when nothing is watched.
bool displayClosed();

// Says that the display was lost and ends the process without running
// destructors.
[[noreturn]] void endForLostDisplay();

}  // namespace platform

#endif
