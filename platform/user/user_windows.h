// The window class table and the window table of USER. Handles are never
// reused within a run, so a stale handle stays invalid.
#ifndef KELVANE_PLATFORM_USER_WINDOWS_H
#define KELVANE_PLATFORM_USER_WINDOWS_H

#include "platform/gdi/gdi_objects.h"
#include "platform/win32.h"

namespace platform {

bool isWindow(HWND window);

// A window's style and client area. The subset's windows have no frame of
// their own, so the client area is the whole window.
struct Placement {
  LONG style = 0;
  int width = 0;
  int height = 0;
  ClientImage client;  // what GetDC's context draws on
  HDC openDC = nullptr;  // GetDC's context until ReleaseDC
};
Placement* findPlacement(HWND window);
// The host resized the input window to this client size: a resizable
// window takes it and gets WM_SIZE; one that covers the screen ignores it.
void hostResized(int width, int height);
// Tells the host whether the window is resizable, and its size.
void announcePlacement(HWND window);

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
