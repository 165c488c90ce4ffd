// Rings that put more points into a piece than a scratch array holds.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "bsp/split.h"
#include "bsp/tree_probe.h"
#include "polygon/test_shapes.h"

namespace {

PolyRef polyFrom(const std::vector<Point3>& ring) {
  PolyRef r;
  r = new CountedPoly(ring.data(), static_cast<int>(ring.size()));
  return r;
}

// Without on-plane vertices every vertex goes to its own side's piece and
// every crossing edge adds one point to both pieces.
void expectPieceSizes(const std::vector<Point3>& ring, const Plane& plane, const PolyRef& back,
                      const PolyRef& front) {
  int backVertices = 0, crossings = 0;
  for (size_t i = 0; i < ring.size(); ++i) {
    const bool behind = ring[i].dot(plane) < 0;
    backVertices += behind ? 1 : 0;
    crossings += behind != (ring[(i + 1) % ring.size()].dot(plane) < 0) ? 1 : 0;
  }
  EXPECT_EQ(back->vertexCount, backVertices + crossings);
  EXPECT_EQ(front->vertexCount, static_cast<int>(ring.size()) - backVertices + crossings);
}

TEST(SplitCapacity, ConvexRingBeyondTheScratchArraysIsCutWhole) {
  const std::vector<Point3> ring = circle(200);
  const PolyRef poly = polyFrom(ring);
  const Plane plane = planeOf(1, 0, 0, -0.9f);
  PolyRef back, front;
  ASSERT_EQ(splitPoly(poly, plane, back, front), Side::Spanning);
  EXPECT_GT(back->vertexCount, kSplitCapacity);
  expectPieceSizes(ring, plane, back, front);
  EXPECT_NEAR(area(*back) + area(*front), area(*poly), 1e-5);
  for (int i = 0; i < back->vertexCount; ++i) EXPECT_LE(back->vertices[i].x, 0.9f + 1e-6f);
  for (int i = 0; i < front->vertexCount; ++i) EXPECT_GE(front->vertices[i].x, 0.9f - 1e-6f);
}

TEST(SplitCapacity, CombCrossingThePlaneOftenIsCutWhole) {
  // Teeth alternate above and below y = 0, so nearly every edge crosses.
  std::vector<Point3> comb;
  for (int i = 0; i < 60; ++i) comb.push_back(pt(static_cast<float>(i), i % 2 ? 1.0f : -1.0f, 0));
  comb.push_back(pt(59, -5, 0));
  comb.push_back(pt(0, -5, 0));
  PolyRef back, front;
  ASSERT_EQ(splitPoly(polyFrom(comb), planeOf(0, 1, 0, 0), back, front), Side::Spanning);
  EXPECT_GT(front->vertexCount, kSplitCapacity);
  EXPECT_GT(back->vertexCount, kSplitCapacity);
  expectPieceSizes(comb, planeOf(0, 1, 0, 0), back, front);
}

// A 255-gon cut next to one vertex leaves a piece of 256 vertices, which the
// 8-bit count cannot hold: the program stops instead of truncating it.
TEST(SplitCapacityDeathTest, PieceBeyondTheVertexLimitEndsTheProgram) {
  const PolyRef poly = polyFrom(circle(255));
  PolyRef back, front;
  EXPECT_DEATH(splitPoly(poly, planeOf(1, 0, 0, -0.9999f), back, front), "vertex count outside 1 to 255");
  const PolyRef smaller = polyFrom(circle(254));
  EXPECT_EQ(splitPoly(smaller, planeOf(1, 0, 0, -0.9999f), back, front), Side::Spanning);
  EXPECT_EQ(back->vertexCount, 255);
}

}  // namespace
