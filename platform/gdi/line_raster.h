// GDI's one-pixel line on an 8-bit canvas.
#ifndef KELVANE_PLATFORM_LINE_RASTER_H
#define KELVANE_PLATFORM_LINE_RASTER_H

#include <cstdint>

#include "platform/gdi/canvas.h"

namespace platform {

// Draws from (x0, y0) towards (x1, y1): the first pixel is set, the last is
// not, and only the pixels inside the canvas are touched; any 32-bit
// coordinates are fine.
void drawLine(const Canvas& canvas, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
              std::uint8_t colour);

}  // namespace platform

#endif
