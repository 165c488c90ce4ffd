// The outline is Zingl's integer ellipse in GDI's variant (zingl_walk.h),
// walked a row at a time from the first row that reaches the canvas. The
// brush fills each row from its leftmost to its rightmost outline pixel,
// then the pen draws the outline over it.
#include "platform/gdi/ellipse_raster.h"

#include <algorithm>

#include "platform/gdi/zingl_walk.h"

namespace platform {
namespace {

void drawBox(const Canvas& canvas, std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
             std::uint8_t colour) {
  for (std::int64_t y = std::max<std::int64_t>(top, 0); y < std::min<std::int64_t>(bottom, canvas.height); ++y) {
    fillSpan(canvas, y, left, right, colour);
  }
}

}  // namespace

void drawEllipse(const Canvas& canvas, std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                 std::optional<std::uint8_t> pen, std::uint8_t brush) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  if (left == right || top == bottom) return;
  // GDI draws a box this thin as a rectangle. The pen's closed path round
  // [left, right-1] x [top, bottom-1] covers every pixel of it, but for a
  // single pixel all four sides have zero length and draw nothing; without
  // a pen the brush loses the right column and bottom row, as a rectangle's
  // fill does.
  if (right - left <= 2 || bottom - top <= 2) {
    if (!pen) {
      drawBox(canvas, left, top, right - 1, bottom - 1, brush);
    } else if (right - left > 1 || bottom - top > 1) {
      drawBox(canvas, left, top, right, bottom, *pen);
    }
    return;
  }
  const std::int64_t l = left, r = right - 1, t = top, b = bottom - 1;
  const ZinglWalk walk(r - l, b - t);
  const std::int64_t b1 = (b - t) & 1;
  const std::int64_t lowerStart = t + (b - t + 1) / 2;  // row of J = 0 going down
  const std::int64_t upperStart = lowerStart - b1;      // row of J = 0 going up
  const std::int64_t lastRow = canvas.height - 1;

  // J ranges of the visible rows of both halves; when both are visible the
  // middle row is, and both ranges start at 0.
  std::int64_t jFrom = INT64_MAX, jTo = -1;
  if (lowerStart <= lastRow) {
    jFrom = std::max<std::int64_t>(lowerStart, 0) - lowerStart;
    jTo = lastRow - lowerStart;
  }
  if (upperStart >= 0) {
    jFrom = std::min(jFrom, upperStart - std::min(upperStart, lastRow));
    jTo = std::max(jTo, upperStart);
  }

  std::int64_t entry = jFrom <= jTo ? walk.entryOf(jFrom) : walk.end();
  for (std::int64_t j = jFrom; j <= jTo && entry != walk.end(); ++j) {
    const ZinglWalk::Row run = walk.row(entry, j);
    auto drawRow = [&](std::int64_t y) {
      fillSpan(canvas, y, l + run.first, r - run.first + 1, brush);
      if (!pen) return;
      fillSpan(canvas, y, l + run.first, l + run.last + 1, *pen);
      fillSpan(canvas, y, r - run.last, r - run.first + 1, *pen);
    };
    drawRow(lowerStart + j);
    if (upperStart - j != lowerStart + j) drawRow(upperStart - j);
    entry = run.next;
  }
}

}  // namespace platform
