#include "app/painter_replay.h"
#include "app/program.h"
#include "app/view_keys.h"
#include "app/window_mode.h"

namespace {

// Mouse coordinates are the two 16-bit halves of lParam, zero-extended,
// in the client area: the picture's own pixels only on the full screen.
POINT pixelOf(LPARAM lParam) { return pictureOfClient(POINT{LOWORD(lParam), HIWORD(lParam)}); }

constexpr LPARAM kAltHeld = LPARAM{1} << 29;

}  // namespace

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      // However the window went (the system's close as well as Escape), the
      // display mode is given back before the program ends.
      delete theViewer;
      theViewer = nullptr;
      PostQuitMessage(0);
      break;
    case WM_ACTIVATE:
      // Activation and deactivation alike: either may have lost the surfaces.
      frameIsCurrent = 0;
      break;
    case WM_SIZE:
      frameIsCurrent = 0;
      break;
    case WM_SYSKEYDOWN:
      // Alt+Enter does what F11 does; every other system key keeps its
      // default.
      if (wParam == VK_RETURN && (lParam & kAltHeld) != 0) {
        findKeyBinding(VK_F11)->run(window, VK_F11);
        return 0;
      }
      break;
    case WM_KEYDOWN:
      if (const KeyBinding* binding = findKeyBinding(wParam)) binding->run(window, wParam);
      break;
    case WM_MOUSEMOVE:
      if (dragging != 0 && theViewer != nullptr) {
        theViewer->drag(pixelOf(lParam));
        endIfDisplayFailed();
      }
      break;
    case WM_LBUTTONDOWN:
      if (dragging == 0 && clickTreePanel(pixelOf(lParam))) return 0;
      cancelReplay();
      // A second press without a release must not hide the cursor twice.
      if (dragging == 0) ShowCursor(FALSE);
      dragging = 1;
      if (theViewer != nullptr) {
        theViewer->beginDrag(pixelOf(lParam));
        endIfDisplayFailed();
      }
      return 0;
    case WM_LBUTTONUP: {
      const bool wasDragging = dragging != 0;
      dragging = 0;
      if (theViewer != nullptr) {
        theViewer->drawPlainFrame();
        endIfDisplayFailed();
      }
      // Only a cursor that the press hid is shown again.
      if (wasDragging) ShowCursor(TRUE);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
