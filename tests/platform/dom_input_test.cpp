// The web host's reading of DOM events, natively: page points on a canvas
// scaled by whole numbers (and placed at fractional offsets) back to frame
// pixels, and KeyboardEvent keys as virtual-key codes. The listeners and
// the canvas themselves are checked in a browser by make test-web.
#include <gtest/gtest.h>

#include <string>

#include "platform/host/web/dom_input.h"
#include "platform/win32.h"

namespace {

using platform::CanvasBox;

TEST(DomInput, PagePointsBecomeFramePixelsOnAScaledCanvas) {
  struct Case {
    CanvasBox box;
    double clientX, clientY;
    bool inside;
    int x, y;
  };
  const Case cases[] = {
      {{180, 8, 640, 480}, 180, 8, true, 0, 0},
      {{180, 8, 640, 480}, 819.9, 487.9, true, 639, 479},
      // Twice the size: two page pixels per frame pixel.
      {{10, 20, 1280, 960}, 10 + 2 * 300 + 1, 20 + 2 * 260, true, 300, 260},
      {{10, 20, 1280, 960}, 10 + 1279, 20 + 959, true, 639, 479},
      // A canvas centred at half a pixel.
      {{80.5, 0, 640, 480}, 81, 0, true, 0, 0},
      {{80.5, 0, 640, 480}, 80, 0, false, 0, 0},
      // Off the canvas: clamped to the nearest edge, and said to be outside.
      {{180, 8, 640, 480}, 820, 488, false, 639, 479},
      {{180, 8, 640, 480}, 100, 300, false, 0, 292},
      // A canvas with no size (not laid out yet) has no pixels.
      {{180, 8, 0, 480}, 200, 100, false, 0, 0},
  };
  for (const Case& c : cases) {
    int x = -1, y = -1;
    const bool inside = platform::framePixelAt(c.box, c.clientX, c.clientY, x, y);
    const std::string where = "(" + std::to_string(c.clientX) + ", " + std::to_string(c.clientY) + ") on a " +
                              std::to_string(c.box.width) + "-wide canvas at " + std::to_string(c.box.left);
    EXPECT_EQ(inside, c.inside) << where;
    EXPECT_EQ(x, c.x) << where;
    EXPECT_EQ(y, c.y) << where;
  }
}

TEST(DomInput, KeysBecomeVirtualKeyCodes) {
  struct Case {
    const char* key;
    const char* code;
    unsigned virtualKey;
  };
  const Case cases[] = {
      {"Escape", "Escape", VK_ESCAPE},
      {"Enter", "NumpadEnter", VK_RETURN},
      {" ", "Space", VK_SPACE},
      {"a", "KeyA", 'A'},
      {"7", "Digit7", '7'},
      {"F1", "F1", 0x70},
      {"F12", "F12", 0x7B},
      // A letter or digit under a modifier or another layout keeps its key.
      {"!", "Digit1", '1'},
      {"\xc3\xa5", "KeyA", 'A'},
      // Nothing the program could use.
      {"F13", "F13", 0},
      {"Fx", "", 0},
      {"Dead", "BracketLeft", 0},
      {"Unidentified", "Key", 0},
      {"", "Digit10", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::virtualKeyOfDomKey(c.key, c.code), c.virtualKey) << "key '" << c.key << "', code " << c.code;
  }
}

}  // namespace
