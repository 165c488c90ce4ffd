#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "bsp/split.h"
#include "geometry/tolerance.h"
#include "polygon/test_shapes.h"

namespace {

struct Split {
  Side side;
  PolyRef back;
  PolyRef front;
};

// Both out-handles hold a marker beforehand, to show which were assigned.
const PolyRef kMarker = squareAt(9);
Split split(const PolyRef& poly, const Plane& plane) {
  Split r{Side::On, kMarker, kMarker};
  r.side = splitPoly(poly, plane, r.back, r.front);
  return r;
}

void expectRing(const PolyRef& piece, const std::vector<Point3>& ring) {
  ASSERT_EQ(piece->vertexCount, ring.size());
  for (size_t i = 0; i < ring.size(); ++i) EXPECT_TRUE(sameTuple(piece->vertices[i], ring[i])) << i;
}

TEST(SplitPoly, CrossingSquareGivesPiecesInItsWinding) {
  const Point3 p0 = pt(1, 1, 0), p1 = pt(-1, 1, 0), p2 = pt(-1, -1, 0), p3 = pt(1, -1, 0);
  const PolyRef square = polyOf({p0, p1, p2, p3});
  const Split r = split(square, planeOf(0, 1, 0, 0));
  EXPECT_EQ(r.side, Side::Spanning);
  // The last edge, p3 to p0, crosses first: its point starts both pieces.
  expectRing(r.front, {pt(1, 0, 0), p0, p1, pt(-1, 0, 0)});
  expectRing(r.back, {pt(1, 0, 0), pt(-1, 0, 0), p2, p3});
  EXPECT_TRUE(sameTuple(r.front->plane, square->plane));  // recomputed, the same here
  EXPECT_EQ(square->refCount, 1);
}

TEST(SplitPoly, DiagonalCutMakesTwoTrianglesWithoutNewPoints) {
  const Point3 v0 = pt(1, 0, 0), v1 = pt(0, 1, 0), v2 = pt(-1, 0, 0), v3 = pt(0, -1, 0);
  const Split r = split(polyOf({v0, v1, v2, v3}), planeOf(1, 0, 0, 0));
  EXPECT_EQ(r.side, Side::Spanning);
  expectRing(r.front, {v0, v1, v3});
  expectRing(r.back, {v1, v2, v3});
}

TEST(SplitPoly, TouchingPolygonPassesWholeAndLeavesTheOtherHandle) {
  const PolyRef edgeOn = polyOf({pt(1, 0, 0), pt(0, 1, 0), pt(-1, 0, 0)});
  Split r = split(edgeOn, planeOf(0, 1, 0, 0));
  EXPECT_EQ(r.side, Side::Front);
  EXPECT_EQ(r.front.get(), edgeOn.get());
  EXPECT_EQ(r.back.get(), kMarker.get());

  const PolyRef vertexOn = polyOf({pt(0, 0, 0), pt(-1, -1, 0), pt(1, -1, 0)});
  r = split(vertexOn, planeOf(0, 1, 0, 0));
  EXPECT_EQ(r.side, Side::Back);
  EXPECT_EQ(r.back.get(), vertexOn.get());
  EXPECT_EQ(r.front.get(), kMarker.get());
}

TEST(SplitPoly, ValuesOfExactlyEpsilonCountAsOnThePlane) {
  const float e = kEpsilon, beyond = std::nextafter(kEpsilon, 1.0f);
  const auto ringWith = [](float a, float b) { return polyOf({pt(0, 0, a), pt(1, 0, b), pt(1, 1, a), pt(0, 1, b)}); };
  const Plane z0 = planeOf(0, 0, 1, 0);
  const Split on = split(ringWith(e, -e), z0);
  EXPECT_EQ(on.side, Side::On);
  EXPECT_EQ(on.back.get(), kMarker.get());
  EXPECT_EQ(on.front.get(), kMarker.get());
  EXPECT_EQ(split(ringWith(beyond, -e), z0).side, Side::Front);
  EXPECT_EQ(split(ringWith(e, -beyond), z0).side, Side::Back);
  EXPECT_EQ(split(ringWith(beyond, -beyond), z0).side, Side::Spanning);
}

}  // namespace
