#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "bsp/split.h"
#include "geometry/tolerance.h"
#include "polygon/test_shapes.h"

namespace {

const Plane kY0 = planeOf(0, 1, 0, 0);

struct SplitResult {
  Side side;
  PolyRef back;
  PolyRef front;
};

// Splits with both out-handles holding a marker polygon beforehand, so that
// a test can see which handles were assigned.
SplitResult split(const PolyRef& poly, const Plane& plane, const PolyRef& marker) {
  SplitResult r{Side::On, marker, marker};
  r.side = splitPoly(poly, plane, r.back, r.front);
  return r;
}

void expectRing(const PolyRef& piece, std::vector<Point3> ring) {
  ASSERT_TRUE(piece);
  ASSERT_EQ(piece->vertexCount, ring.size());
  for (size_t i = 0; i < ring.size(); ++i) {
    EXPECT_TRUE(sameTuple(piece->vertices[i], ring[i])) << "vertex " << i;
  }
}

TEST(SplitPoly, SquareAcrossThePlaneGivesPiecesInItsWinding) {
  const Point3 p0 = pt(1, 1, 0), p1 = pt(-1, 1, 0), p2 = pt(-1, -1, 0), p3 = pt(1, -1, 0);
  const PolyRef square = polyOf({p0, p1, p2, p3});
  const SplitResult r = split(square, kY0, PolyRef());
  EXPECT_EQ(r.side, Side::Spanning);
  // The last edge, p3 to p0, crosses first: its point starts both pieces.
  const Point3 xa = pt(1, 0, 0), xb = pt(-1, 0, 0);
  expectRing(r.front, {xa, p0, p1, xb});
  expectRing(r.back, {xa, xb, p2, p3});
  // Pieces get planes of their own, here the square's.
  EXPECT_EQ(r.front->plane.z, 1.0f);
  EXPECT_EQ(r.back->plane.z, 1.0f);
  EXPECT_EQ(r.front->refCount, 1);
  EXPECT_EQ(square->refCount, 1);
}

TEST(SplitPoly, PiecesStartAtTheFirstVertexWhenTheLastEdgeStaysOnOneSide) {
  const Point3 q0 = pt(-1, 1, 0), q1 = pt(-1, -1, 0), q2 = pt(1, -1, 0), q3 = pt(1, 1, 0);
  const SplitResult r = split(polyOf({q0, q1, q2, q3}), kY0, PolyRef());
  EXPECT_EQ(r.side, Side::Spanning);
  const Point3 x1 = pt(-1, 0, 0), x2 = pt(1, 0, 0);
  expectRing(r.front, {q0, x1, x2, q3});
  expectRing(r.back, {x1, q1, q2, x2});
}

TEST(SplitPoly, CrossingPointsLieOnThePlaneAndOnTheirEdge) {
  const Plane tilted = planeOf(0.6f, 0.8f, 0, -0.3f);
  const SplitResult r = split(polyOf({pt(3, 1, 0), pt(-2, 2.5f, 0), pt(-1, -3, 0)}), tilted, PolyRef());
  ASSERT_EQ(r.side, Side::Spanning);
  int onPlane = 0;
  for (const PolyRef& piece : {r.back, r.front}) {
    for (int i = 0; i < piece->vertexCount; ++i) {
      if (std::fabs(piece->vertices[i].dot(tilted)) < 1e-6f) ++onPlane;
    }
  }
  EXPECT_EQ(onPlane, 4);
}

TEST(SplitPoly, DiagonalCutMakesTwoTrianglesWithoutNewPoints) {
  const Point3 v0 = pt(1, 0, 0), v1 = pt(0, 1, 0), v2 = pt(-1, 0, 0), v3 = pt(0, -1, 0);
  const SplitResult r = split(polyOf({v0, v1, v2, v3}), planeOf(1, 0, 0, 0), PolyRef());
  EXPECT_EQ(r.side, Side::Spanning);
  expectRing(r.front, {v0, v1, v3});
  expectRing(r.back, {v1, v2, v3});
}

TEST(SplitPoly, TouchingPolygonPassesWholeAndLeavesTheOtherHandle) {
  const PolyRef marker = squareAt(9);
  const PolyRef edgeOn = polyOf({pt(1, 0, 0), pt(0, 1, 0), pt(-1, 0, 0)});
  SplitResult r = split(edgeOn, kY0, marker);
  EXPECT_EQ(r.side, Side::Front);
  EXPECT_EQ(r.front.get(), edgeOn.get());
  EXPECT_EQ(r.back.get(), marker.get());

  const PolyRef vertexOn = polyOf({pt(0, 0, 0), pt(-1, -1, 0), pt(1, -1, 0)});
  r = split(vertexOn, kY0, marker);
  EXPECT_EQ(r.side, Side::Back);
  EXPECT_EQ(r.back.get(), vertexOn.get());
  EXPECT_EQ(r.front.get(), marker.get());
  EXPECT_EQ(vertexOn->refCount, 2);
}

TEST(SplitPoly, ValuesOfExactlyEpsilonCountAsOnThePlane) {
  const Plane z0 = planeOf(0, 0, 1, 0);
  const float e = kEpsilon;
  const float beyond = std::nextafter(kEpsilon, 1.0f);
  const PolyRef marker = squareAt(9);
  const auto ringWith = [](float a, float b) {
    return polyOf({pt(0, 0, a), pt(1, 0, b), pt(1, 1, a), pt(0, 1, b)});
  };

  SplitResult r = split(ringWith(e, -e), z0, marker);
  EXPECT_EQ(r.side, Side::On);
  EXPECT_EQ(r.back.get(), marker.get());
  EXPECT_EQ(r.front.get(), marker.get());

  EXPECT_EQ(split(ringWith(beyond, -e), z0, marker).side, Side::Front);
  EXPECT_EQ(split(ringWith(e, -beyond), z0, marker).side, Side::Back);
  r = split(ringWith(beyond, -beyond), z0, marker);
  EXPECT_EQ(r.side, Side::Spanning);
  EXPECT_NE(r.front.get(), marker.get());
  EXPECT_NE(r.back.get(), marker.get());
}

}  // namespace
