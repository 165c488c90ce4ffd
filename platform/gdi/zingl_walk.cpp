// Zingl's integer ellipse ("A Rasterizing Algorithm for Drawing Curves",
// 2012) on the inclusive box (L, T, R, B), a = R - L, b = B - T, b1 = b & 1,
// in GDI's variant: from each state it steps x when 2 err >= dx and y when
// 2 err <= dy, both tested before either step, until x passes the centre;
// the tips of flat ellipses are not completed. After I x steps and J y steps
// the running sums are closed forms:
//     dx(I)    = 4(1-a)b^2 + 8b^2 I
//     dy(J)    = 4(b1+1)a^2 + 8a^2 J
//     err(I,J) = dx(0) + dy(0) + b1 a^2 + 4b^2 I(I+2-a) + 4a^2 J(J+b1+2)
// so whether a state steps x (X) or y (Y) needs no walk to reach it.
//
// Over the quadrant (I <= a/2), X turns from true to false as I grows and
// from false to true as J grows; Y turns from false to true as I grows
// (except from the last column to the centre column of an even width,
// checked apart) and from true to false as J grows. Left of the centre one
// of them always holds; on the centre column neither may, and the walk ends.
// Hence:
// - the walk leaves row J at the first I >= its entry where Y holds, and
//   column I at the first J >= its entry where X holds: one binary search
//   each, however long the run;
// - the entry of column I + 1 is a non-decreasing function of the entry of
//   column I. Two walks started some columns back from a lower and an upper
//   bound of the true entry (row 0, and the first row where Y fails: the
//   walk was there by a y step, so Y held just above it) keep the true
//   walk between them; once they meet, it is where they are. They meet
//   within a column or two of reaching the curve; if not, they start further
//   back, at worst from column 0, which is exact.
// The entry of a row is then found by a binary search over the columns.
// Row by row, a run is found by a search that starts small at its entry:
// the runs of most rows are a pixel or two long.
// Every value stays below 2^120 for the sizes allowed.
#include "platform/gdi/zingl_walk.h"

#include <algorithm>

namespace platform {

ZinglWalk::ZinglWalk(std::int64_t a, std::int64_t b)
    : a_(a), b_(b), b1_(b & 1), a2_(Wide(a) * a), b2_(Wide(b) * b), err0_(0) {
  err0_ = dx(0) + dy(0) + b1_ * a2_;
}

Wide ZinglWalk::dx(std::int64_t i) const { return 4 * (1 - Wide(a_)) * b2_ + 8 * b2_ * i; }

Wide ZinglWalk::dy(std::int64_t j) const { return 4 * (b1_ + 1) * a2_ + 8 * a2_ * j; }

Wide ZinglWalk::err(std::int64_t i, std::int64_t j) const {
  return err0_ + 4 * b2_ * i * (i + 2 - a_) + 4 * a2_ * j * (j + b1_ + 2);
}

bool ZinglWalk::xSteps(std::int64_t i, std::int64_t j) const { return 2 * err(i, j) >= dx(i); }

bool ZinglWalk::ySteps(std::int64_t i, std::int64_t j) const { return 2 * err(i, j) <= dy(j); }

ZinglWalk::Row ZinglWalk::row(std::int64_t entry, std::int64_t j) const {
  const std::int64_t exit = rowExit(entry, j);
  if (exit > centre()) return {entry, centre(), end()};
  const std::int64_t next = exit + (xSteps(exit, j) ? 1 : 0);
  return {entry, exit, next > centre() ? end() : next};
}

// The first state at or after `entry` on row j that steps down, or end()
// when the walk runs out of the quadrant first.
std::int64_t ZinglWalk::rowExit(std::int64_t entry, std::int64_t j) const {
  const std::int64_t monotonicEnd = (a_ - 1) / 2;
  if (entry <= monotonicEnd) {
    const std::int64_t exit = firstTrueNear(entry, monotonicEnd, [&](std::int64_t i) { return ySteps(i, j); });
    if (exit <= monotonicEnd) return exit;
  }
  if (centre() > monotonicEnd && ySteps(centre(), j)) return centre();
  return end();
}

// The row where the walk leaves column i, entered at row `entry`: by an x
// step, or on the centre column by ending. Row b + 1 is never reached and
// every state on it steps x, which bounds the search.
std::int64_t ZinglWalk::columnExit(std::int64_t entry, std::int64_t i) const {
  return firstTrue(entry, std::max(entry, b_ + 1),
                   [&](std::int64_t j) { return xSteps(i, j) || !ySteps(i, j); });
}

std::int64_t ZinglWalk::nextColumnEntry(std::int64_t entry, std::int64_t i) const {
  const std::int64_t exit = columnExit(entry, i);
  return exit + (ySteps(i, exit) ? 1 : 0);
}

std::int64_t ZinglWalk::columnEntry(std::int64_t i) const {
  for (std::int64_t lead = 8;; lead *= 8) {
    std::int64_t k = std::max<std::int64_t>(i - lead, 0);
    std::int64_t low = 0;
    std::int64_t high = k == 0 ? 0 : firstTrue(0, b_ + 1, [&](std::int64_t j) { return !ySteps(k, j); });
    for (; k < i && low != high; ++k) {
      low = nextColumnEntry(low, k);
      high = nextColumnEntry(high, k);
    }
    if (low != high) continue;
    for (; k < i; ++k) low = nextColumnEntry(low, k);
    return low;
  }
}

std::int64_t ZinglWalk::entryOf(std::int64_t j) const {
  if (j == 0) return 0;
  // The last column the walk enters above row j; it goes down that column
  // to its exit, then steps right.
  const std::int64_t column =
      firstTrue(0, centre(), [&](std::int64_t i) { return columnEntry(i) >= j; }) - 1;
  if (columnExit(columnEntry(column), column) >= j) return column;
  return column < centre() ? column + 1 : end();
}

}  // namespace platform
