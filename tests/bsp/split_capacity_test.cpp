// Rings that put more points into a piece than a scratch array holds.
#include <gtest/gtest.h>

#include <vector>

#include "bsp/split.h"
#include "bsp/tree_probe.h"
#include "polygon/test_shapes.h"

namespace {

// Without on-plane vertices each vertex goes to its side's piece and each
// crossing edge adds one point to both pieces.
void expectPieceSizes(const std::vector<Point3>& ring, const Plane& plane, const PolyRef& back,
                      const PolyRef& front) {
  int behind = 0, crossings = 0;
  for (size_t i = 0; i < ring.size(); ++i) {
    const bool b = ring[i].dot(plane) < 0;
    behind += b ? 1 : 0;
    crossings += b != (ring[(i + 1) % ring.size()].dot(plane) < 0) ? 1 : 0;
  }
  EXPECT_EQ(back->vertexCount, behind + crossings);
  EXPECT_EQ(front->vertexCount, static_cast<int>(ring.size()) - behind + crossings);
}

TEST(SplitCapacity, RingsBeyondTheScratchArraysAreCutWhole) {
  const std::vector<Point3> convex = circle(200);
  std::vector<Point3> comb;  // teeth alternate across y = 0: nearly every edge crosses
  for (int i = 0; i < 60; ++i) comb.push_back(pt(static_cast<float>(i), i % 2 ? 1.0f : -1.0f, 0));
  comb.push_back(pt(59, -5, 0));
  comb.push_back(pt(0, -5, 0));

  for (const auto& [ring, plane] : {std::pair(convex, planeOf(1, 0, 0, -0.9f)), std::pair(comb, planeOf(0, 1, 0, 0))}) {
    const PolyRef poly = polyOf(ring);
    PolyRef back, front;
    ASSERT_EQ(splitPoly(poly, plane, back, front), Side::Spanning);
    EXPECT_GT(back->vertexCount, kSplitCapacity);
    expectPieceSizes(ring, plane, back, front);
  }
  PolyRef back, front;
  splitPoly(polyOf(convex), planeOf(1, 0, 0, -0.9f), back, front);
  EXPECT_NEAR(area(*back) + area(*front), area(*polyOf(convex)), 1e-5);
}

// A 255-gon cut next to one vertex leaves a piece of 256 vertices, which the
// 8-bit count cannot hold: the program stops instead of truncating it.
TEST(SplitCapacityDeathTest, PieceBeyondTheVertexLimitEndsTheProgram) {
  PolyRef back, front;
  EXPECT_DEATH(splitPoly(polyOf(circle(255)), planeOf(1, 0, 0, -0.9999f), back, front),
               "vertex count outside 1 to 255");
  EXPECT_EQ(splitPoly(polyOf(circle(254)), planeOf(1, 0, 0, -0.9999f), back, front), Side::Spanning);
  EXPECT_EQ(back->vertexCount, 255);
}

}  // namespace
