// GDI's Ellipse on an 8-bit canvas.
#ifndef KELVANE_PLATFORM_ELLIPSE_RASTER_H
#define KELVANE_PLATFORM_ELLIPSE_RASTER_H

#include <cstdint>
#include <optional>

#include "platform/gdi/canvas.h"

namespace platform {

// Like the device space of NT's GDI, the ellipse's box is limited to 28-bit
// coordinates; Ellipse refuses a box beyond them.
constexpr std::int64_t kEllipseCoordinateLimit = std::int64_t(1) << 27;

// Fills with `brush` and outlines with `pen` (none: no outline) the ellipse
// in the box from (left, top) up to but not including (right, bottom),
// corners in any order; touches only pixels inside the canvas. The corners
// must lie within kEllipseCoordinateLimit of the origin.
void drawEllipse(const Canvas& canvas, std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                 std::optional<std::uint8_t> pen, std::uint8_t brush);

}  // namespace platform

#endif
