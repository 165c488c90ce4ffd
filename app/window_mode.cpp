#include "app/window_mode.h"

#include <algorithm>

#include "app/program.h"
#include "display/window_fit.h"

namespace {

// A window's client area at first: the picture scaled by the largest whole
// number that fits in this share of the screen, and at least once.
constexpr int kScreenShareNumerator = 3;
constexpr int kScreenShareDenominator = 4;

struct Placement {
  int x, y, width, height;
};

// Centred on the screen. The subset's windows have no frame in pixels, so
// the frame AdjustWindowRectEx adds on Windows is the only difference.
Placement windowPlacement() {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const int scale = std::max(1, wholeScale(screenWidth * kScreenShareNumerator / kScreenShareDenominator,
                                           screenHeight * kScreenShareNumerator / kScreenShareDenominator));
  RECT frame = {0, 0, kPictureWidth * scale, kPictureHeight * scale};
  AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  return Placement{std::max(0, (screenWidth - width) / 2), std::max(0, (screenHeight - height) / 2), width, height};
}

}  // namespace

HWND createMainWindow(HINSTANCE instance, const char* name, bool windowed) {
  if (windowed) {
    const Placement at = windowPlacement();
    return CreateWindowExA(0, name, name, WS_OVERLAPPEDWINDOW, at.x, at.y, at.width, at.height, nullptr, nullptr,
                           instance, nullptr);
  }
  // The screen size before the display mode changes.
  const int height = GetSystemMetrics(SM_CYSCREEN);
  const int width = GetSystemMetrics(SM_CXSCREEN);
  return CreateWindowExA(WS_EX_TOPMOST, name, name, WS_POPUP, 0, 0, width, height, nullptr, nullptr, instance,
                         nullptr);
}

void toggleWindowMode(HWND window) {
  if (theViewer == nullptr) return;
  const bool toWindow = !theViewer->windowed;
  // The desktop's mode is back before its size is asked for.
  theViewer->releaseDisplay();
  if (toWindow) {
    const Placement at = windowPlacement();
    SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    SetWindowPos(window, HWND_NOTOPMOST, at.x, at.y, at.width, at.height, SWP_FRAMECHANGED | SWP_SHOWWINDOW);
  } else {
    SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_VISIBLE));
    SetWindowPos(window, HWND_TOPMOST, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                 SWP_FRAMECHANGED | SWP_SHOWWINDOW);
  }
  theViewer->takeDisplay(toWindow);
  endIfDisplayFailed();
  frameIsCurrent = 0;
}

POINT pictureOfClient(const POINT& client) {
  RECT area = {};
  if (theViewer == nullptr || !theViewer->windowed || !GetClientRect(theViewer->window, &area)) return client;
  return pictureOf(fitPicture(area.right, area.bottom), client);
}
