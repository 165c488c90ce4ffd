// One pixel per step along the longer axis (a 45-degree line counts as
// horizontal). At step t of d the other coordinate is the ideal value
// start + delta * t / d rounded to nearest, an exact half going to the
// smaller coordinate whichever way the line runs:
//     q(t) = floor((2 * delta * t + d - 1) / (2 * d)).
// The line is clipped once, by narrowing the range of t: first to where the
// long axis is on the canvas, then, q being monotonic, by binary search to
// where the short axis is too. A line between two points on the canvas
// stays on it, so nearly every line a frame draws skips the clipping. The loop then steps q incrementally, as
// Bresenham's algorithm does, and writes without checking.
#include "platform/gdi/line_raster.h"

#include <algorithm>
#include <cstdlib>

#include "platform/gdi/wide_math.h"

namespace platform {
namespace {

bool inside(std::int64_t v, std::int64_t size) { return v >= 0 && v < size; }

// Where a walk along the line stands: the pixel's offset, and the remainder
// of the ideal minor coordinate in [0, 2d).
struct Walk {
  std::int64_t offset;
  std::int64_t remainder;
};

struct Axis {
  std::int64_t start;
  std::int64_t delta;
  std::int64_t size;
  std::int64_t stride;
};

// T carries 2 * delta * t exactly: std::int64_t for narrow deltas, else Wide.
template <class T>
void drawAlong(const Canvas& canvas, const Axis& major, const Axis& minor, std::uint8_t colour) {
  const std::int64_t d = std::llabs(major.delta);
  if (d == 0) return;
  const std::int64_t step = major.delta > 0 ? 1 : -1;
  const std::int64_t twiceD = 2 * d;

  auto minorAt = [&](std::int64_t t) {
    return minor.start + static_cast<std::int64_t>(floorDiv<T>(T(2) * minor.delta * t + d - 1, twiceD));
  };
  std::int64_t tLo = 0;
  std::int64_t tHi = d - 1;
  if (!inside(major.start, major.size) || !inside(major.start + major.delta, major.size) ||
      !inside(minor.start, minor.size) || !inside(minor.start + minor.delta, minor.size)) {
    tLo = std::max<std::int64_t>(step > 0 ? -major.start : major.start - (major.size - 1), 0);
    tHi = std::min(step > 0 ? major.size - 1 - major.start : major.start, d - 1);
    if (tLo > tHi) return;
    auto below = [&](std::int64_t t) { return minorAt(t) < 0; };
    auto above = [&](std::int64_t t) { return minorAt(t) >= minor.size; };
    if (minor.delta >= 0) {
      tLo = firstTrue(tLo, tHi, [&](std::int64_t t) { return !below(t); });
      tHi = firstTrue(tLo, tHi, above) - 1;
    } else {
      tLo = firstTrue(tLo, tHi, [&](std::int64_t t) { return !above(t); });
      tHi = firstTrue(tLo, tHi, below) - 1;
    }
    if (tLo > tHi) return;
  }

  // A line going towards smaller minor coordinates counts its remainder
  // from the other end, so that the walk only ever carries upwards.
  const std::int64_t rise = 2 * std::llabs(minor.delta);
  const std::int64_t straight = step * major.stride;
  const std::int64_t diagonal = straight + (minor.delta < 0 ? -minor.stride : minor.stride);
  auto walkAt = [&](std::int64_t t) {
    const std::int64_t q = minorAt(t) - minor.start;
    auto remainder = static_cast<std::int64_t>(T(2) * minor.delta * t + d - 1 - T(q) * twiceD);  // in [0, 2d)
    if (minor.delta < 0) remainder = twiceD - 1 - remainder;
    return Walk{(major.start + step * t) * major.stride + (minor.start + q) * minor.stride, remainder};
  };
  // Two walks, over the first and the second half, in step: each carries
  // its own remainder, so neither waits for the other's.
  const std::int64_t count = tHi - tLo + 1;
  const std::int64_t half = count / 2;
  Walk first = walkAt(tLo);
  Walk second = walkAt(tLo + half);
  std::uint8_t* const pixels = canvas.pixels;
  auto plotAndStep = [&](Walk& walk) {
    pixels[walk.offset] = colour;
    walk.remainder += rise;
    // Selects rather than branches: the carry follows the slope's fraction
    // and would be mispredicted often.
    const bool carry = walk.remainder >= twiceD;
    walk.remainder -= carry ? twiceD : 0;
    walk.offset += carry ? diagonal : straight;
  };
  for (std::int64_t i = 0; i < half; ++i) {
    plotAndStep(first);
    plotAndStep(second);
  }
  if (count % 2 != 0) pixels[second.offset] = colour;
}

}  // namespace

void drawLine(const Canvas& canvas, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
              std::uint8_t colour) {
  Axis x{x0, x1 - x0, canvas.width, 1};
  Axis y{y0, y1 - y0, canvas.height, canvas.pitch};
  const bool xMajor = std::llabs(x.delta) >= std::llabs(y.delta);
  const Axis& major = xMajor ? x : y;
  const Axis& minor = xMajor ? y : x;
  if (isNarrow(x.delta) && isNarrow(y.delta)) {
    drawAlong<std::int64_t>(canvas, major, minor, colour);
  } else {
    drawAlong<Wide>(canvas, major, minor, colour);
  }
}

}  // namespace platform
