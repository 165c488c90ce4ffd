// A device context on a small canvas framed by guard bytes on every side,
// so that a test sees any write outside the canvas.
#ifndef KELVANE_TESTS_PLATFORM_GUARDED_CANVAS_H
#define KELVANE_TESTS_PLATFORM_GUARDED_CANVAS_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "fresh_platform.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/gdi/palette.h"
#include "platform/win32.h"

// A base for fixtures: the platform is reset before the fixture's own
// members are made.
struct FreshPlatform {
  FreshPlatform() { resetPlatform(); }
};

class GuardedCanvas {
 public:
  static constexpr std::uint8_t kGuard = 0xA5;

  GuardedCanvas(int width, int height, int guard = 16)
      : storage_(std::size_t(width + 2 * guard) * (height + 2 * guard), kGuard), guard_(guard) {
    canvas_ = {storage_.data() + guard * (width + 2 * guard) + guard, width, height, width + 2 * guard};
    clear();
    dc_ = platform::createDeviceContext(canvas_, &platform::defaultPalette());
  }
  ~GuardedCanvas() { platform::deleteDeviceContext(dc_); }
  GuardedCanvas(const GuardedCanvas&) = delete;
  GuardedCanvas& operator=(const GuardedCanvas&) = delete;

  HDC dc() const { return dc_; }
  int width() const { return canvas_.width; }
  int height() const { return canvas_.height; }
  std::uint8_t at(int x, int y) const { return canvas_.pixels[y * canvas_.pitch + x]; }
  void clear(std::uint8_t value = 0) {
    for (int y = 0; y < canvas_.height; ++y) std::fill_n(canvas_.pixels + y * canvas_.pitch, canvas_.width, value);
  }
  // Empty when every guard byte is intact, else where the first write went.
  std::string guardDamage() const {
    for (std::size_t i = 0; i < storage_.size(); ++i) {
      const int x = int(i % canvas_.pitch) - guard_, y = int(i / canvas_.pitch) - guard_;
      const bool inside = x >= 0 && x < canvas_.width && y >= 0 && y < canvas_.height;
      if (!inside && storage_[i] != kGuard) return "written at (" + std::to_string(x) + "," + std::to_string(y) + ")";
    }
    return "";
  }
  // The places along row y (or column x) that hold `value`, as "a..b c".
  std::string rowRuns(int y, std::uint8_t value) const { return runs(y, true, value); }
  std::string columnRuns(int x, std::uint8_t value) const { return runs(x, false, value); }

 private:
  std::string runs(int line, bool row, std::uint8_t value) const {
    std::string text;
    const int length = row ? canvas_.width : canvas_.height;
    auto hit = [&](int i) { return i < length && (row ? at(i, line) : at(line, i)) == value; };
    for (int i = 0; i < length; ++i) {
      if (!hit(i)) continue;
      const int from = i;
      while (hit(i + 1)) ++i;
      text += (text.empty() ? "" : " ") + std::to_string(from) + (i > from ? ".." + std::to_string(i) : "");
    }
    return text;
  }

  std::vector<std::uint8_t> storage_;
  int guard_;
  platform::Canvas canvas_;
  HDC dc_;
};

// The palette index of a colour the tests draw with, in the default palette.
inline std::uint8_t indexOf(COLORREF colour) {
  return platform::nearestPaletteIndex(platform::defaultPalette(), colour);
}

// One expectation of a row's or column's runs of one value.
struct Runs {
  enum Line { Row, Column } along;
  int line;
  std::uint8_t value;
  const char* expected;
};

inline void expectRuns(const GuardedCanvas& canvas, std::initializer_list<Runs> cases) {
  for (const Runs& c : cases) {
    const bool row = c.along == Runs::Row;
    EXPECT_EQ(row ? canvas.rowRuns(c.line, c.value) : canvas.columnRuns(c.line, c.value), c.expected)
        << (row ? "row " : "column ") << c.line << " of value " << int(c.value);
  }
}

using Pixels = std::vector<std::uint8_t>;  // row by row, as a canvas should hold them

constexpr COLORREF kPen = RGB(255, 255, 255), kBrush = RGB(0x33, 0x33, 0x33);

// Selects a white pen (a null pen without `withPen`) and a dark grey brush.
inline void useColours(const GuardedCanvas& canvas, bool withPen = true) {
  SelectObject(canvas.dc(), CreatePen(withPen ? PS_SOLID : 5 /* PS_NULL */, 0, kPen));
  SelectObject(canvas.dc(), CreateSolidBrush(kBrush));
}

// Every pixel as expected, else the first one that is not; and no guard
// byte touched.
inline void expectPixels(const GuardedCanvas& canvas, const Pixels& expected, const std::string& what) {
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      ASSERT_EQ(canvas.at(x, y), expected[y * canvas.width() + x]) << what << " at (" << x << "," << y << ")";
    }
  }
  ASSERT_EQ(canvas.guardDamage(), "") << what;
}

#endif
