// The window class table and the window table of USER. Handles are never
// reused within a run, so a stale handle stays invalid.
#ifndef KELVANE_PLATFORM_USER_WINDOWS_H
#define KELVANE_PLATFORM_USER_WINDOWS_H

#include "platform/win32.h"

namespace platform {

bool isWindow(HWND window);

// Calls the window's procedure at once, as SendMessage does; 0 when the
// window does not exist.
LRESULT sendToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Destroys a window the way DestroyWindow does: it loses activation and
// focus, WM_DESTROY and then WM_NCDESTROY are sent to it, and afterwards its
// handle is invalid and its queued messages are gone. FALSE for a handle
// that is invalid or already being destroyed.
BOOL destroyWindow(HWND window);

// A visible window that waits for WM_PAINT: `filter` itself when it is a
// window handle, otherwise the first such window; NULL when there is none.
HWND windowNeedingPaint(HWND filter);

// The most recently created window that still exists, or NULL.
HWND newestWindow();

void resetWindows();

}  // namespace platform

#endif
