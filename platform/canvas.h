// The pixels a device context draws on: an 8-bit surface, row by row,
// `pitch` bytes from one row to the next.
#ifndef KELVANE_PLATFORM_CANVAS_H
#define KELVANE_PLATFORM_CANVAS_H

#include <cstdint>

namespace platform {

struct Canvas {
  std::uint8_t* pixels;
  int width;
  int height;
  int pitch;
};

// Sets the pixels from xFrom up to but not including xTo on row y, clipped
// to the canvas; rows outside it are left alone.
void fillSpan(const Canvas& canvas, std::int64_t y, std::int64_t xFrom, std::int64_t xTo, std::uint8_t colour);

}  // namespace platform

#endif
