#include "platform/user/user_input.h"

#include <cstdlib>

#include "platform/user/user.h"
#include "platform/user/user_focus.h"
#include "platform/user/user_queue.h"
#include "platform/user/user_windows.h"

namespace platform {
namespace {

constexpr LPARAM kSingleKeyStroke = 1;  // repeat count 1, no scan code
constexpr LPARAM kAltHeld = LPARAM{1} << 29;  // the context code of a system key

struct Input {
  POINT position{0, 0};
  bool leftDown = false;
};

Input& input() {
  static Input state;
  return state;
}

void postToInputWindow(UINT message, WPARAM wParam, LPARAM lParam) {
  if (HWND window = inputWindow()) postInput(window, message, wParam, lParam);
}

void deliverMouse(UINT message, const InputEvent& event) {
  input().position = POINT{event.x, event.y};
  if (message == WM_LBUTTONDOWN) input().leftDown = true;
  if (message == WM_LBUTTONUP) input().leftDown = false;
  postToInputWindow(message, input().leftDown ? MK_LBUTTON : 0, MAKELPARAM(event.x, event.y));
}

}  // namespace

void deliverInput(const InputEvent& event) {
  switch (event.kind) {
    case InputEvent::MouseMove: deliverMouse(WM_MOUSEMOVE, event); break;
    case InputEvent::LeftDown: deliverMouse(WM_LBUTTONDOWN, event); break;
    case InputEvent::LeftUp: deliverMouse(WM_LBUTTONUP, event); break;
    case InputEvent::KeyDown:
      if (event.alt) {
        postToInputWindow(WM_SYSKEYDOWN, event.key, kSingleKeyStroke | kAltHeld);
      } else {
        postToInputWindow(WM_KEYDOWN, event.key, kSingleKeyStroke);
      }
      break;
    case InputEvent::Activate: hostActivation(true); break;
    case InputEvent::Deactivate: hostActivation(false); break;
    case InputEvent::Close: postToInputWindow(WM_CLOSE, 0, 0); break;
    case InputEvent::Resize: hostResized(event.x, event.y); break;
  }
}

void pumpHostInput() {
  InputEvent event{};
  while (host().pollEvent(event)) deliverInput(event);
}

void waitForHostInput() {
  if (!host().waitEvent()) std::exit(kExitNoMoreInput);
}

POINT cursorPosition() { return input().position; }

void resetInput() { input() = Input(); }

}  // namespace platform
