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

// Sets n bytes from p. Inline, without a call, for the short runs that
// make up most polygon rows: 16 bytes a store, the last store overlapping
// the one before it rather than finishing byte by byte.
inline void fillBytes(std::uint8_t* p, std::size_t n, std::uint8_t colour) {
  struct Chunk {
    std::uint64_t low, high;
  };
  if (n < sizeof(Chunk)) {
    for (std::size_t i = 0; i < n; ++i) p[i] = colour;
    return;
  }
  if (n >= 128) {
    std::memset(p, colour, n);
    return;
  }
  const std::uint64_t word = 0x0101010101010101u * colour;
  const Chunk chunk{word, word};
  for (std::size_t i = 0; i + sizeof(Chunk) < n; i += sizeof(Chunk)) std::memcpy(p + i, &chunk, sizeof(Chunk));
  std::memcpy(p + n - sizeof(Chunk), &chunk, sizeof(Chunk));
}

// Sets the pixels from xFrom up to but not including xTo on row y, which
// must be on the canvas; the span is clipped to it. Inline: the fills call
// it once per row.
inline void fillRowSpan(const Canvas& canvas, std::int64_t y, std::int64_t xFrom, std::int64_t xTo,
                        std::uint8_t colour) {
  const std::int64_t from = std::max<std::int64_t>(xFrom, 0);
  const std::int64_t to = std::min<std::int64_t>(xTo, canvas.width);
  if (from < to) fillBytes(canvas.pixels + y * canvas.pitch + from, static_cast<std::size_t>(to - from), colour);
}

// The same for any row: rows outside the canvas are left alone.
inline void fillSpan(const Canvas& canvas, std::int64_t y, std::int64_t xFrom, std::int64_t xTo,
                     std::uint8_t colour) {
  if (y >= 0 && y < canvas.height) fillRowSpan(canvas, y, xFrom, xTo, colour);
}

}  // namespace platform

#endif
