// Slow, literal versions of GDI's pixel rules, for comparing the real
// rasterisers with on small inputs: no clipping, no incremental stepping,
// no skipping.
#ifndef KELVANE_TESTS_PLATFORM_REFERENCE_RASTER_H
#define KELVANE_TESTS_PLATFORM_REFERENCE_RASTER_H

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "platform/win32.h"

using Pixel = std::pair<std::int64_t, std::int64_t>;  // (x, y)

// The pixels of a line from its first point up to but not including its
// last, each rounded from the ideal line by comparing distances.
std::vector<Pixel> referenceLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);

// Calls `plot` for every outline pixel of an ellipse box in the inclusive
// form (L, T, R, B), by the pseudo-code of the pixel rules run step by step.
void referenceEllipseOutline(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b,
                             const std::function<void(const Pixel&)>& plot);

// Whether the centre of pixel (x, y) is inside the polygon by the
// alternate rule, found from that row's crossings alone.
std::vector<std::vector<bool>> referencePolygonFill(const std::vector<POINT>& points, int width, int height);

#endif
