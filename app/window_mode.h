// Full screen or a resizable window: the window's style and size, and the
// Viewer's display, change together. The toggle gives the display up
// first (restoring the desktop's mode when it leaves the full screen),
// restyles the window, then takes the display again in the new way, as a
// DirectDraw program has to, since the cooperative level is tied to the
// window's state.
#ifndef KELVANE_APP_WINDOW_MODE_H
#define KELVANE_APP_WINDOW_MODE_H

#include "platform/win32.h"

// Creates the main window: a top-most pop-up covering the screen, or a
// resizable window whose client area shows the picture at the largest
// whole-number scale that leaves room on the screen.
HWND createMainWindow(HINSTANCE instance, const char* name, bool windowed);

// F11 and Alt+Enter: from the full screen to a window or back.
void toggleWindowMode(HWND window);

// The pixel of the 640 x 480 picture under a point of the client area:
// the same point on the full screen, scaled back in a window.
POINT pictureOfClient(const POINT& client);

#endif
