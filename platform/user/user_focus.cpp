#include "platform/user/user_focus.h"

#include "platform/trace/trace.h"
#include "platform/trace/call_format.h"
#include "platform/user/user_queue.h"
#include "platform/user/user_windows.h"

namespace platform {
namespace {

struct Focus {
  bool foreground = true;
  HWND active = nullptr;
  HWND focus = nullptr;
  HWND reactivate = nullptr;  // the window that was active when the program lost the foreground
};

Focus& focus() {
  static Focus state;
  return state;
}

ForegroundListener foregroundListener = nullptr;

HWND valid(HWND window) { return isWindow(window) ? window : nullptr; }

HWND moveFocus(HWND window) {
  HWND previous = valid(focus().focus);
  if (window == previous) return previous;
  focus().focus = window;
  if (previous) sendToWindow(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
  if (window) sendToWindow(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  return previous;
}

}  // namespace

void activateShownWindow(HWND window) {
  Focus& state = focus();
  if (!state.foreground) {
    if (!valid(state.reactivate)) state.reactivate = window;
    return;
  }
  HWND previous = valid(state.active);
  if (previous == window) return;
  state.active = window;
  if (previous) sendToWindow(previous, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(window));
  sendToWindow(window, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(previous));
  if (isWindow(window)) moveFocus(window);
}

void releaseActivation(HWND window) {
  Focus& state = focus();
  if (state.reactivate == window) state.reactivate = nullptr;
  if (state.active == window) {
    state.active = nullptr;
    sendToWindow(window, WM_ACTIVATE, WA_INACTIVE, 0);
  }
  if (state.focus == window) {
    state.focus = nullptr;
    sendToWindow(window, WM_KILLFOCUS, 0, 0);
  }
}

void hostActivation(bool active) {
  Focus& state = focus();
  if (state.foreground == active) return;
  state.foreground = active;
  if (foregroundListener) foregroundListener(active);
  if (active) {
    HWND window = valid(state.reactivate) ? state.reactivate : newestWindow();
    state.reactivate = nullptr;
    state.active = window;
    if (window) postInput(window, WM_ACTIVATE, WA_ACTIVE, 0);
  } else {
    HWND window = valid(state.active);
    state.reactivate = window;
    state.active = nullptr;
    if (window) postInput(window, WM_ACTIVATE, WA_INACTIVE, 0);
  }
}

HWND inputWindow() {
  if (HWND window = valid(focus().focus)) return window;
  if (HWND window = valid(focus().active)) return window;
  return newestWindow();
}

bool programInForeground() { return focus().foreground; }

void setForegroundListener(ForegroundListener listener) { foregroundListener = listener; }

void resetFocus() { focus() = Focus(); }

}  // namespace platform

HWND WINAPI SetFocus(HWND hWnd) {
  if (platform::traceCall("SetFocus", [&] { return platform::handleText(hWnd); })) return nullptr;
  if (hWnd && !platform::isWindow(hWnd)) return nullptr;
  return platform::moveFocus(hWnd);
}
