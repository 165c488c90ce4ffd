// The pixels a device context draws on: an 8-bit surface, row by row,
// `pitch` bytes from one row to the next.
#ifndef KELVANE_PLATFORM_CANVAS_H
#define KELVANE_PLATFORM_CANVAS_H

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace platform {

struct Canvas {
  std::uint8_t* pixels;
  int width;
  int height;
  int pitch;
};

// Sets the pixels from xFrom up to but not including xTo on row y, which
// must be on the canvas; the span is clipped to it. Inline: the fills call
// it once per row.
inline void fillRowSpan(const Canvas& canvas, std::int64_t y, std::int64_t xFrom, std::int64_t xTo,
                        std::uint8_t colour) {
  const std::int64_t from = std::max<std::int64_t>(xFrom, 0);
  const std::int64_t to = std::min<std::int64_t>(xTo, canvas.width);
  if (from < to) std::memset(canvas.pixels + y * canvas.pitch + from, colour, static_cast<std::size_t>(to - from));
}

// The same for any row: rows outside the canvas are left alone.
inline void fillSpan(const Canvas& canvas, std::int64_t y, std::int64_t xFrom, std::int64_t xTo,
                     std::uint8_t colour) {
  if (y >= 0 && y < canvas.height) fillRowSpan(canvas, y, xFrom, xTo, colour);
}

}  // namespace platform

#endif
