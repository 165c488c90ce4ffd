#include "platform/host/web/web_events.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include "platform/host/web/dom_input.h"
#include "platform/host/web/web_host.h"
#include "platform/win32.h"

namespace platform {
namespace {

constexpr unsigned short kLeftButton = 0;

// The left button went down on the canvas and has not come up: its moves
// and its release belong to the canvas wherever the pointer is, as with
// a captured mouse.
bool leftHeld = false;

// The canvas's bounding box as left, top, width and height.
EM_JS(int, canvasBox, (const char* selector, double* box), {
  const canvas = document.querySelector(UTF8ToString(selector));
  if (!canvas) return 0;
  const rect = canvas.getBoundingClientRect();
  HEAPF64.set([rect.left, rect.top, rect.width, rect.height], box >> 3);
  return 1;
});

// The frame pixel under a point of the page, clamped to the frame; false
// when the point lies outside the canvas.
bool framePixel(const WebHost& host, long clientX, long clientY, int& x, int& y) {
  double box[4] = {};
  if (!canvasBox(host.selector().c_str(), box)) return false;
  return framePixelAt(CanvasBox{box[0], box[1], box[2], box[3]}, static_cast<double>(clientX),
                      static_cast<double>(clientY), x, y);
}

EM_BOOL onMouse(int type, const EmscriptenMouseEvent* mouse, void* data) {
  WebHost& host = *static_cast<WebHost*>(data);
  InputEvent event{InputEvent::MouseMove};
  const bool inside = framePixel(host, mouse->clientX, mouse->clientY, event.x, event.y);
  switch (type) {
    case EMSCRIPTEN_EVENT_MOUSEDOWN:
      if (mouse->button != kLeftButton || !inside) return EM_FALSE;
      leftHeld = true;
      event.kind = InputEvent::LeftDown;
      break;
    case EMSCRIPTEN_EVENT_MOUSEUP:
      if (mouse->button != kLeftButton || !leftHeld) return EM_FALSE;
      leftHeld = false;
      event.kind = InputEvent::LeftUp;
      break;
    default:
      if (!inside && !leftHeld) return EM_FALSE;
      break;
  }
  host.queue(event);
  // Not for the press: the canvas takes the focus from it.
  return type != EMSCRIPTEN_EVENT_MOUSEDOWN;
}

// Keys the browser still acts on after the program has seen them: Tab moves
// the focus on (the program is deactivated, as by switching windows), F5
// reloads, F11 fills the screen, F12 opens the developer tools.
bool browserKeepsKey(unsigned virtualKey) {
  return virtualKey == 0x09 || virtualKey == 0x74 || virtualKey == 0x7A || virtualKey == 0x7B;
}

EM_BOOL onKey(int, const EmscriptenKeyboardEvent* key, void* data) {
  InputEvent event{InputEvent::KeyDown};
  event.key = virtualKeyOfDomKey(key->key, key->code);
  // The page is the window: F11 is the browser's own full screen, and the
  // program never hears it (nor Alt with Enter, which arrives as Enter).
  if (event.key == 0 || event.key == VK_F11) return EM_FALSE;
  static_cast<WebHost*>(data)->queue(event);
  return browserKeepsKey(event.key) ? EM_FALSE : EM_TRUE;
}

EM_BOOL onFocus(int type, const EmscriptenFocusEvent*, void* data) {
  static_cast<WebHost*>(data)->queue(
      InputEvent{type == EMSCRIPTEN_EVENT_FOCUS ? InputEvent::Activate : InputEvent::Deactivate});
  return EM_FALSE;
}

}  // namespace

void listenToCanvas(WebHost& host) {
  const char* canvas = host.selector().c_str();
  leftHeld = false;
  emscripten_set_mousedown_callback(canvas, &host, EM_TRUE, onMouse);
  // Moves and releases are heard on the whole document, so that a drag
  // that leaves the canvas still ends.
  emscripten_set_mousemove_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, &host, EM_TRUE, onMouse);
  emscripten_set_mouseup_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, &host, EM_TRUE, onMouse);
  emscripten_set_keydown_callback(canvas, &host, EM_TRUE, onKey);
  emscripten_set_focus_callback(canvas, &host, EM_TRUE, onFocus);
  emscripten_set_blur_callback(canvas, &host, EM_TRUE, onFocus);
}

void stopListening() { emscripten_html5_remove_all_event_listeners(); }

}  // namespace platform
