#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "geometry/tolerance.h"
#include "polygon/ray.h"
#include "polygon/test_shapes.h"

namespace {

TEST(Poly, NewellPlaneFollowsTheWinding) {
  EXPECT_TRUE(tupleIs(cubeFace(1)->plane, 0, 0, 1, -1));
  EXPECT_TRUE(tupleIs(PolyRef(kCubeCorners, 4, 3, 2, 1, 0)->plane, 0, 0, -1, 1));
}

// A ring without area must not hand out a non-finite plane: it gets the
// null plane, which the tree operations recognise and drop.
TEST(Poly, RingsWithoutAreaGetTheNullPlane) {
  const float inf = std::numeric_limits<float>::infinity();
  const std::vector<PolyRef> degenerate = {
      polyOf({pt(0, 0, 0), pt(1, 1, 1), pt(2, 2, 2)}),
      polyOf({pt(1, 2, 3), pt(4, 5, 6)}),
      polyOf({pt(0, 0, 0), pt(1, 0, 0), pt(0, 1e-30f, 0)}),  // the squared length underflows
      polyOf({pt(0, 0, 0), pt(inf, 0, 0), pt(0, 1, 0)}),
  };
  for (const PolyRef& p : degenerate) {
    EXPECT_TRUE(p->isDegenerate());
    EXPECT_TRUE(tupleIs(p->plane, 0, 0, 0, 0));
  }
}

TEST(PolyDeathTest, VertexCountsOutsideTheFieldEndTheProgram) {
  const std::vector<Point3> ring = circle(256);
  EXPECT_DEATH(PolyRef(ring.data(), 0), "vertex count outside 1 to 255");
  EXPECT_DEATH(new CountedPoly(ring.data(), 256), "vertex count outside 1 to 255");
}

TEST(Plane, IntersectGivesTheUnclampedRayParameter) {
  const auto t = [](float z, float dz) { return planeOf(0, 0, 1, -1).intersect(Ray{pt(0, 0, z), Vector3(0, 0, dz)}); };
  EXPECT_EQ(t(0, 4), 0.25f);
  EXPECT_EQ(t(2, 1), -1.0f);  // a genuine hit one length behind reads like a miss
  EXPECT_EQ(t(0, std::nextafter(kEpsilon, 0.0f)), -1.0f);
  EXPECT_EQ(t(0, kEpsilon), static_cast<float>(1.0 / double(kEpsilon)));  // no longer parallel
}

}  // namespace
