// A device context on a small canvas framed by guard bytes on every side,
// so that a test sees any write outside the canvas, and shared checks of
// what was drawn.
#ifndef KELVANE_TESTS_PLATFORM_GUARDED_CANVAS_H
#define KELVANE_TESTS_PLATFORM_GUARDED_CANVAS_H

#include <cstdint>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/win32.h"

constexpr std::uint8_t kGuard = 0xA5;

// A base for fixtures: forgets every platform object and the call log
// before the fixture's own members are made.
struct FreshPlatform {
  FreshPlatform();
};

class GuardedCanvas {
 public:
  GuardedCanvas(int width, int height, int guard = 16);
  ~GuardedCanvas();
  GuardedCanvas(const GuardedCanvas&) = delete;
  GuardedCanvas& operator=(const GuardedCanvas&) = delete;

  HDC dc() const { return dc_; }
  int width() const { return canvas_.width; }
  int height() const { return canvas_.height; }
  std::uint8_t at(int x, int y) const { return canvas_.pixels[y * canvas_.pitch + x]; }
  void clear(std::uint8_t value = 0);
  // Empty when every guard byte is intact, else where the first write went.
  std::string guardDamage() const;
  // The columns of row y that hold `value`, as "a..b c d..e".
  std::string rowRuns(int y, std::uint8_t value) const;
  std::string columnRuns(int x, std::uint8_t value) const;

 private:
  std::vector<std::uint8_t> storage_;
  int guard_;
  platform::Canvas canvas_;
  HDC dc_;
};

// Palette indices of colours the tests draw with, in the default palette.
std::uint8_t indexOf(COLORREF colour);

#endif
