// GDI's alternate-mode polygon fill on an 8-bit canvas.
#ifndef KELVANE_PLATFORM_POLYGON_RASTER_H
#define KELVANE_PLATFORM_POLYGON_RASTER_H

#include <cstdint>

#include "platform/gdi/canvas.h"
#include "platform/win32.h"

namespace platform {

// Fills the inside of the closed ring of `count` points (no outline); only
// pixels inside the canvas are touched, for any 32-bit coordinates.
void fillPolygon(const Canvas& canvas, const POINT* points, int count, std::uint8_t colour);

}  // namespace platform

#endif
