#include "platform/host/web/web_events.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cmath>
#include <cstring>

#include "platform/host/web/web_host.h"
#include "platform/win32.h"

namespace platform {
namespace {

struct KeyName {
  const char* name;
  unsigned virtualKey;
};

constexpr KeyName kKeys[] = {
    {"Escape", VK_ESCAPE}, {"Enter", VK_RETURN},   {" ", VK_SPACE},       {"Backspace", 0x08},
    {"Tab", 0x09},         {"ArrowLeft", VK_LEFT}, {"ArrowUp", VK_UP},    {"ArrowRight", VK_RIGHT},
    {"ArrowDown", VK_DOWN}, {"PageUp", 0x21},      {"PageDown", 0x22},    {"End", 0x23},
    {"Home", 0x24},        {"Insert", 0x2D},       {"Delete", 0x2E},      {"Shift", 0x10},
    {"Control", 0x11},     {"Alt", 0x12},
};
constexpr unsigned kVirtualKeyF1 = 0x70;
constexpr unsigned short kLeftButton = 0;

// The left button went down on the canvas and has not come up: its moves
// and its release belong to the canvas wherever the pointer is, as with
// a captured mouse.
bool leftHeld = false;

unsigned letterOrDigit(const std::string& text) {
  if (text.size() != 1) return 0;
  const char c = text[0];
  if (c >= 'a' && c <= 'z') return static_cast<unsigned>(c - 'a' + 'A');
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<unsigned>(c);
  return 0;
}

// The canvas's box on the page in CSS pixels: left, top, width, height.
EM_JS(int, canvasBox, (const char* selector, double* box), {
  const canvas = document.querySelector(UTF8ToString(selector));
  if (!canvas) return 0;
  const rect = canvas.getBoundingClientRect();
  HEAPF64.set([rect.left, rect.top, rect.width, rect.height], box >> 3);
  return 1;
});

// The frame pixel under a point of the page (CSS pixels, as the event's
// clientX and clientY), clamped to the frame; false when the point lies
// outside the canvas.
bool framePixel(const WebHost& host, long clientX, long clientY, int& x, int& y) {
  double box[4] = {};
  if (!canvasBox(host.selector().c_str(), box) || box[2] <= 0 || box[3] <= 0) return false;
  const double fx = std::floor((static_cast<double>(clientX) - box[0]) * kScreenWidth / box[2]);
  const double fy = std::floor((static_cast<double>(clientY) - box[1]) * kScreenHeight / box[3]);
  const bool inside = fx >= 0 && fy >= 0 && fx < kScreenWidth && fy < kScreenHeight;
  x = static_cast<int>(std::clamp(fx, 0.0, kScreenWidth - 1.0));
  y = static_cast<int>(std::clamp(fy, 0.0, kScreenHeight - 1.0));
  return inside;
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

EM_BOOL onKey(int, const EmscriptenKeyboardEvent* key, void* data) {
  InputEvent event{InputEvent::KeyDown};
  event.key = domVirtualKey(key->key, key->code);
  if (event.key == 0) return EM_FALSE;
  static_cast<WebHost*>(data)->queue(event);
  return EM_TRUE;
}

EM_BOOL onFocus(int type, const EmscriptenFocusEvent*, void* data) {
  static_cast<WebHost*>(data)->queue(
      InputEvent{type == EMSCRIPTEN_EVENT_FOCUS ? InputEvent::Activate : InputEvent::Deactivate});
  return EM_FALSE;
}

}  // namespace

unsigned domVirtualKey(const std::string& key, const std::string& code) {
  if (const unsigned vk = letterOrDigit(key)) return vk;
  if (key.size() >= 2 && key.size() <= 3 && key[0] == 'F' && std::isdigit(static_cast<unsigned char>(key[1]))) {
    const int number = std::atoi(key.c_str() + 1);
    if (number >= 1 && number <= 12) return kVirtualKeyF1 + static_cast<unsigned>(number - 1);
  }
  for (const KeyName& mapping : kKeys) {
    if (key == mapping.name) return mapping.virtualKey;
  }
  if (code.rfind("Key", 0) == 0 || code.rfind("Digit", 0) == 0) return letterOrDigit(code.substr(code[0] == 'K' ? 3 : 5));
  return 0;
}

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
