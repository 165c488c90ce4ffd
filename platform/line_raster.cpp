// One pixel per step along the longer axis (a 45-degree line counts as
// horizontal). At step t of d the other coordinate is the ideal value
// start + delta * t / d rounded to nearest, an exact half going to the
// smaller coordinate whichever way the line runs:
//     q(t) = floor((2 * delta * t + d - 1) / (2 * d)).
// The line is clipped once, by narrowing the range of t: first to where the
// long axis is on the canvas, then, q being monotonic, by binary search to
// where the short axis is too. The loop then steps q incrementally, as
// Bresenham's algorithm does, and writes without checking.
#include "platform/line_raster.h"

#include <algorithm>
#include <cstdlib>

#include "platform/wide_math.h"

namespace platform {
namespace {

struct Axis {
  std::int64_t start;
  std::int64_t delta;
  std::int64_t size;
  std::int64_t stride;
};

void drawAlong(const Canvas& canvas, const Axis& major, const Axis& minor, std::uint8_t colour) {
  const std::int64_t d = std::llabs(major.delta);
  if (d == 0) return;
  const std::int64_t step = major.delta > 0 ? 1 : -1;
  const std::int64_t twiceD = 2 * d;

  std::int64_t tLo = step > 0 ? -major.start : major.start - (major.size - 1);
  std::int64_t tHi = step > 0 ? major.size - 1 - major.start : major.start;
  tLo = std::max<std::int64_t>(tLo, 0);
  tHi = std::min(tHi, d - 1);
  if (tLo > tHi) return;

  auto minorAt = [&](std::int64_t t) {
    return minor.start + floorDiv<Wide>(Wide(2) * minor.delta * t + d - 1, twiceD);
  };
  auto below = [&](std::int64_t t) { return minorAt(t) < 0; };
  auto above = [&](std::int64_t t) { return minorAt(t) >= minor.size; };
  auto onCanvas = [&](std::int64_t t) { return !below(t) && !above(t); };
  if (onCanvas(tLo) && onCanvas(tHi)) {
    // Both ends on the canvas, so everything between them is.
  } else if (minor.delta >= 0) {
    std::int64_t lo = firstTrue(tLo, tHi, [&](std::int64_t t) { return !below(t); });
    tHi = firstTrue(lo, tHi, above) - 1;
    tLo = lo;
  } else {
    std::int64_t lo = firstTrue(tLo, tHi, [&](std::int64_t t) { return !above(t); });
    tHi = firstTrue(lo, tHi, below) - 1;
    tLo = lo;
  }
  if (tLo > tHi) return;

  const Wide numerator = Wide(2) * minor.delta * tLo + d - 1;
  const auto q = static_cast<std::int64_t>(floorDiv<Wide>(numerator, twiceD));
  auto remainder = static_cast<std::int64_t>(numerator - Wide(q) * twiceD);  // in [0, 2d)
  std::int64_t offset = (major.start + step * tLo) * major.stride + (minor.start + q) * minor.stride;
  // A line going towards smaller minor coordinates counts its remainder
  // from the other end, so that the loop only ever carries upwards.
  std::int64_t rise = 2 * minor.delta;
  std::int64_t minorStride = minor.stride;
  if (rise < 0) {
    rise = -rise;
    remainder = twiceD - 1 - remainder;
    minorStride = -minorStride;
  }
  const std::int64_t straight = step * major.stride;
  const std::int64_t diagonal = straight + minorStride;
  std::uint8_t* const pixels = canvas.pixels;
  for (std::int64_t t = tLo; t <= tHi; ++t) {
    pixels[offset] = colour;
    remainder += rise;
    // Selects rather than branches: the carry follows the slope's fraction
    // and would be mispredicted often.
    const bool carry = remainder >= twiceD;
    remainder -= carry ? twiceD : 0;
    offset += carry ? diagonal : straight;
  }
}

}  // namespace

void drawLine(const Canvas& canvas, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
              std::uint8_t colour) {
  Axis x{x0, x1 - x0, canvas.width, 1};
  Axis y{y0, y1 - y0, canvas.height, canvas.pitch};
  if (std::llabs(x.delta) >= std::llabs(y.delta)) {
    drawAlong(canvas, x, y, colour);
  } else {
    drawAlong(canvas, y, x, colour);
  }
}

}  // namespace platform
