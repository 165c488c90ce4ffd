// What the canvas's DOM events say, in the host's terms: a point of the page
// as a pixel of the 640 x 480 frame however the canvas is scaled, and a
// KeyboardEvent's key as a Win32 virtual-key code. Plain C++, so that it is
// checked natively; web_events.cpp feeds it from the browser.
#ifndef KELVANE_PLATFORM_HOST_WEB_DOM_INPUT_H
#define KELVANE_PLATFORM_HOST_WEB_DOM_INPUT_H

#include <string>

namespace platform {

// The canvas's box on the page, in CSS pixels (getBoundingClientRect).
struct CanvasBox {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};

// The frame pixel under the page point (clientX, clientY), clamped to the
// frame; answers whether the point lies on the canvas. An empty box has no
// pixels: (0, 0) and false.
bool framePixelAt(const CanvasBox& box, double clientX, double clientY, int& x, int& y);

// The virtual-key code of a KeyboardEvent's `key`, falling back on its
// `code` for letters and digits typed with a modifier; 0 when the program
// has no use for it.
unsigned virtualKeyOfDomKey(const std::string& key, const std::string& code);

}  // namespace platform

#endif
