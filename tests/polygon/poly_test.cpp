#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "polygon/test_shapes.h"

namespace {

TEST(Poly, NewellPlaneFollowsTheWinding) {
  EXPECT_TRUE(sameTuple(PolyRef(kCubeCorners, 4, 0, 1, 2, 3)->plane, Tuple4(0, 0, 1, -1)));
  EXPECT_TRUE(sameTuple(PolyRef(kCubeCorners, 4, 3, 2, 1, 0)->plane, Tuple4(0, 0, -1, 1)));
}

TEST(Poly, VerticesAreCopiedAsGivenWithRepeatsKept) {
  Point3 points[3] = {pt(0, 0, 0), pt(1, 0, 0), pt(0, 1, 0)};
  points[2].set(0, 2, 0, 2);  // w stays 2: nothing homogenises on the way in
  const PolyRef p(points, 4, 0, 1, 1, 2);
  points[0] = pt(9, 9, 9);
  ASSERT_EQ(p->vertexCount, 4);
  EXPECT_TRUE(sameTuple(p->vertices[0], pt(0, 0, 0)));
  EXPECT_TRUE(sameTuple(p->vertices[1], p->vertices[2]));
  EXPECT_EQ(p->vertices[3].w, 2.0f);
  // Newell's sums read x, y and z only.
  EXPECT_TRUE(sameTuple(p->plane, Tuple4(0, 0, 1, 0)));
}

// A ring without area must not hand out a non-finite plane: it gets the
// null plane, which the tree operations recognise and drop.
TEST(Poly, RingsWithoutAreaGetTheNullPlane) {
  const float inf = std::numeric_limits<float>::infinity();
  const std::vector<PolyRef> degenerate = {
      polyOf({pt(0, 0, 0), pt(1, 1, 1), pt(2, 2, 2)}),
      polyOf({pt(3, 4, 5), pt(3, 4, 5), pt(3, 4, 5)}),
      polyOf({pt(1, 2, 3), pt(4, 5, 6)}),
      polyOf({pt(0, 0, 0), pt(1, 0, 0), pt(0, 1e-30f, 0)}),  // the squared length underflows
      polyOf({pt(0, 0, 0), pt(inf, 0, 0), pt(0, 1, 0)}),
  };
  for (const PolyRef& p : degenerate) {
    EXPECT_TRUE(p->isDegenerate());
    EXPECT_TRUE(sameTuple(p->plane, Tuple4(0, 0, 0, 0)));
  }
}

TEST(PolyDeathTest, VertexCountsOutsideTheFieldEndTheProgram) {
  const std::vector<Point3> ring = circle(256);
  EXPECT_DEATH(PolyRef(ring.data(), 0), "vertex count outside 1 to 255");
  EXPECT_DEATH(new CountedPoly(ring.data(), 256), "vertex count outside 1 to 255");
  EXPECT_EQ(PolyRef(ring.data(), 3, 0, 1, 2)->vertexCount, 3);
}

}  // namespace
