// A box cut to one side of a plane: never smaller than the true part (the
// walk near an operand relies on that to find every cell that can change),
// exact for planes across an axis, empty only when nothing lies there.
#include <gtest/gtest.h>

#include <string>

#include "bsp/bounds.h"
#include "bsp/tree_probe.h"

namespace {

Bounds unitBox() {
  Bounds b;
  b.grow(*polyOf({pt(0, 0, 0), pt(1, 0, 0), pt(1, 1, 1)}));
  b.grow(*polyOf({pt(0, 1, 0), pt(0, 1, 1), pt(1, 0, 1)}));
  return b;
}

struct ClipRow {
  std::string what;
  Plane plane;
  bool back;
  double margin;
  bool empty;
  Bounds expected;  // when not empty
};

Bounds boxOf(double x0, double y0, double z0, double x1, double y1, double z1) {
  Bounds b;
  b.min[0] = x0, b.min[1] = y0, b.min[2] = z0;
  b.max[0] = x1, b.max[1] = y1, b.max[2] = z1;
  return b;
}

TEST(Bounds, ClippedToOneSideOfAPlane) {
  const float r = static_cast<float>(1 / std::sqrt(2.0));
  const ClipRow rows[] = {
      {"behind x = 0.25", planeOf(1, 0, 0, -0.25f), true, 0, false, boxOf(0, 0, 0, 0.25, 1, 1)},
      {"behind -z = -0.5", planeOf(0, 0, -1, 0.5f), true, 0, false, boxOf(0, 0, 0.5, 1, 1, 1)},
      {"in front of x = 2: nothing", planeOf(1, 0, 0, -2), false, 0, true, Bounds()},
      {"in front of x = 1 within the margin", planeOf(1, 0, 0, -1.001f), false, 0.01, false,
       boxOf(0.991, 0, 0, 1, 1, 1)},
      // x + y <= 0.5 leaves the corner triangle; its box is [0, 0.5]^2.
      {"behind a slanted plane", planeOf(r, r, 0, -0.5f * r), true, 0, false, boxOf(0, 0, 0, 0.5, 0.5, 1)},
      {"in front of a slanted plane past the corner", planeOf(r, r, 0, -2.5f * r), false, 0, true, Bounds()},
  };
  for (const ClipRow& row : rows) {
    const Bounds c = unitBox().clippedTo(row.plane, row.back, row.margin);
    ASSERT_EQ(c.isEmpty(), row.empty) << row.what;
    if (row.empty) continue;
    for (int a = 0; a < 3; ++a) {
      EXPECT_NEAR(c.min[a], row.expected.min[a], 1e-6) << row.what << " axis " << a;
      EXPECT_NEAR(c.max[a], row.expected.max[a], 1e-6) << row.what << " axis " << a;
    }
  }
}

}  // namespace
