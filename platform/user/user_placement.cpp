// A window's style, size and client area: what a program changes to move
// between covering the screen and a resizable window, and the device
// context of the client area. A window counts as resizable when its style
// has a caption; the host is told whenever that or the size changes.
#include <algorithm>

#include "platform/gdi/palette.h"
#include "platform/host/host.h"
#include "platform/trace/call_format.h"
#include "platform/trace/trace.h"
#include "platform/user/user_focus.h"
#include "platform/user/user_input.h"
#include "platform/user/user_queue.h"
#include "platform/user/user_windows.h"

namespace platform {
namespace {

constexpr LONG kCaption = 0x00C00000L;  // WS_CAPTION

bool resizable(const Placement& placement) { return (placement.style & kCaption) == kCaption; }

// Windows sends WM_SIZE from SetWindowPos, after the window has its size.
void resize(HWND window, Placement& placement, int width, int height) {
  placement.width = std::max(width, 0);
  placement.height = std::max(height, 0);
  sendToWindow(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(placement.width, placement.height));
}

}  // namespace

// The user dragged the window's border: a window that covers the screen
// has none, so only a resizable one follows.
void hostResized(int width, int height) {
  HWND window = inputWindow();
  Placement* placement = findPlacement(window);
  if (!placement || !resizable(*placement)) return;
  placement->width = std::max(width, 0);
  placement->height = std::max(height, 0);
  postInput(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(placement->width, placement->height));
}

void announcePlacement(HWND window) {
  if (const Placement* placement = findPlacement(window)) {
    host().showWindowed(resizable(*placement), placement->width, placement->height);
  }
}

}  // namespace platform

using platform::findPlacement;
using platform::handleText;
using platform::joinArgs;
using platform::traceCall;

LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
  if (traceCall("SetWindowLongA", [&] {
        return joinArgs({handleText(hWnd), std::to_string(nIndex), platform::hexText(static_cast<DWORD>(dwNewLong))});
      })) {
    return 0;
  }
  platform::Placement* placement = findPlacement(hWnd);
  if (!placement || nIndex != GWL_STYLE) return 0;
  const LONG previous = placement->style;
  placement->style = dwNewLong;
  return previous;
}

BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags) {
  if (traceCall("SetWindowPos", [&] {
        return joinArgs({handleText(hWnd), handleText(hWndInsertAfter), std::to_string(X), std::to_string(Y),
                         std::to_string(cx), std::to_string(cy), platform::hexText(uFlags)});
      })) {
    return FALSE;
  }
  platform::Placement* placement = findPlacement(hWnd);
  if (!placement) return FALSE;
  if (cx != placement->width || cy != placement->height || (uFlags & SWP_FRAMECHANGED)) {
    platform::resize(hWnd, *placement, cx, cy);
    if (!platform::isWindow(hWnd)) return FALSE;  // the procedure destroyed it
    platform::announcePlacement(hWnd);
  }
  if ((uFlags & SWP_SHOWWINDOW) && !(uFlags & SWP_NOACTIVATE)) ShowWindow(hWnd, SW_SHOW);
  return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
  if (traceCall("GetClientRect", [&] { return handleText(hWnd); })) return FALSE;
  const platform::Placement* placement = findPlacement(hWnd);
  if (!placement || !lpRect) return FALSE;
  *lpRect = RECT{0, 0, placement->width, placement->height};
  return TRUE;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD, BOOL, DWORD) { return lpRect != nullptr; }

// One context per window at a time; its client area keeps what was drawn
// until the size changes.
HDC WINAPI GetDC(HWND hWnd) {
  if (traceCall("GetDC", [&] { return handleText(hWnd); })) return nullptr;
  platform::Placement* placement = findPlacement(hWnd);
  if (!placement || placement->openDC) return nullptr;
  platform::ClientImage& image = placement->client;
  if (image.width != placement->width || image.height != placement->height) {
    image.width = placement->width;
    image.height = placement->height;
    image.pixels.assign(std::size_t(image.width) * std::size_t(image.height), 0u);
  }
  placement->openDC = platform::createDeviceContext(platform::Canvas{nullptr, 0, 0, 0}, &platform::defaultPalette());
  platform::findDeviceContext(placement->openDC)->client = &image;
  return placement->openDC;
}

int WINAPI ReleaseDC(HWND hWnd, HDC hDC) {
  if (traceCall("ReleaseDC", [&] { return joinArgs({handleText(hWnd), platform::gdiHandleText(hDC)}); })) return 0;
  platform::Placement* placement = findPlacement(hWnd);
  if (!placement || !hDC || placement->openDC != hDC) return 0;
  platform::deleteDeviceContext(hDC);
  placement->openDC = nullptr;
  const platform::ClientImage& image = placement->client;
  platform::host().presentClient(image.pixels.data(), image.width, image.height);
  return 1;
}
