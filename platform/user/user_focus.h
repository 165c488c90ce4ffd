// Activation and keyboard focus. The program counts as the foreground
// application until the host reports a deactivation. Activation that USER
// itself causes (showing or destroying a window) is sent to the window
// procedure at once, as Windows sends it; activation changes reported by
// the host are queued as WM_ACTIVATE like the rest of the host's input, and
// only a real change produces a message.
#ifndef KELVANE_PLATFORM_USER_FOCUS_H
#define KELVANE_PLATFORM_USER_FOCUS_H

#include "platform/win32.h"

namespace platform {

// Makes a newly shown window the active one and gives it the focus, when
// the program is in the foreground and no window is active yet.
void activateShownWindow(HWND window);

// Sends the deactivation and focus loss of a window about to be destroyed.
void releaseActivation(HWND window);

// Foreground changes reported by the host.
void hostActivation(bool active);

// Whether the program is the foreground application.
bool programInForeground();

// Told of every foreground change before the windows hear of it (false: the
// program went to the background). DirectDraw installs one to lose its
// surfaces; a later call replaces it, and resetFocus keeps it.
using ForegroundListener = void (*)(bool active);
void setForegroundListener(ForegroundListener listener);

// The window that receives host input: the focus window, else the active
// one, else the newest window; NULL when there is none.
HWND inputWindow();

void resetFocus();

}  // namespace platform

#endif
