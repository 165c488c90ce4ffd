// The frame on the screen as palette indices and the palette's colours,
// read back from the display for a screenshot.
#ifndef KELVANE_DISPLAY_SCREEN_CAPTURE_H
#define KELVANE_DISPLAY_SCREEN_CAPTURE_H

#include <cstdint>
#include <vector>

#include "platform/win32.h"

struct ScreenImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // row by row, width bytes a row
  PALETTEENTRY palette[256] = {};
};

#endif
