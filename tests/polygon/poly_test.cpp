#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "polygon/poly_ref.h"
#include "polygon/ray.h"
#include "polygon/test_shapes.h"

namespace {

void expectPlane(const Poly& p, float a, float b, float c, float d) {
  EXPECT_FLOAT_EQ(p.plane.x, a);
  EXPECT_FLOAT_EQ(p.plane.y, b);
  EXPECT_FLOAT_EQ(p.plane.z, c);
  EXPECT_FLOAT_EQ(p.plane.w, d);
}

TEST(Poly, CubeFacesGetOutwardUnitNormals) {
  const float normals[6][3] = {{0, 0, 1}, {0, 0, -1}, {1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, -1, 0}};
  for (int f = 1; f <= 6; ++f) {
    SCOPED_TRACE(f);
    const PolyRef face = cubeFace(f);
    EXPECT_EQ(face->vertexCount, 4);
    expectPlane(*face, normals[f - 1][0], normals[f - 1][1], normals[f - 1][2], -1);
    EXPECT_FALSE(face->isDegenerate());
  }
}

TEST(Poly, ReversedRingNegatesThePlane) {
  const PolyRef reversed(kCubeCorners, 4, 3, 2, 1, 0);
  expectPlane(*reversed, 0, 0, -1, 1);
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
  expectPlane(*p, 0, 0, 1, 0);
}

TEST(Poly, IntersectForwardsToThePlane) {
  const PolyRef face = cubeFace(1);
  EXPECT_EQ(face->intersect(Ray{pt(0, 0, 0), Vector3(0, 0, 1)}), 1.0f);
}

TEST(Poly, LargestRingIsAccepted) {
  const std::vector<Point3> ring = circle(255);
  PolyRef p;
  p = new CountedPoly(ring.data(), 255);
  EXPECT_EQ(p->vertexCount, 255);
  expectPlane(*p, 0, 0, 1, 0);
}

// A ring without area must not hand out a non-finite plane: it gets the
// null plane, which the tree operations recognise and drop.
TEST(Poly, RingsWithoutAreaGetTheNullPlane) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::vector<PolyRef> degenerate = {
      polyOf({pt(0, 0, 0), pt(1, 1, 1), pt(2, 2, 2)}),
      polyOf({pt(3, 4, 5), pt(3, 4, 5), pt(3, 4, 5), pt(3, 4, 5)}),
      polyOf({pt(1, 2, 3)}),
      polyOf({pt(1, 2, 3), pt(4, 5, 6)}),
      polyOf({pt(0, 0, 0), pt(1, 0, 0), pt(0, 1e-30f, 0)}),
      polyOf({pt(0, 0, 0), pt(inf, 0, 0), pt(0, 1, 0)}),
      polyOf({pt(0, 0, 0), pt(1, 0, 0), pt(0, nan, 0)}),
  };
  for (size_t i = 0; i < degenerate.size(); ++i) {
    SCOPED_TRACE(i);
    const Poly& p = *degenerate[i];
    EXPECT_TRUE(p.isDegenerate());
    EXPECT_TRUE(sameTuple(p.computeNormal(), zeroVector));
    EXPECT_EQ(p.plane.x, 0.0f);
    EXPECT_EQ(p.plane.y, 0.0f);
    EXPECT_EQ(p.plane.z, 0.0f);
    EXPECT_EQ(p.plane.w, 0.0f);
  }
}

TEST(PolyDeathTest, VertexCountsOutsideTheFieldEndTheProgram) {
  const std::vector<Point3> ring = circle(256);
  EXPECT_DEATH(PolyRef(ring.data(), 0), "vertex count outside 1 to 255");
  EXPECT_DEATH(new CountedPoly(ring.data(), 256), "vertex count outside 1 to 255");
  EXPECT_DEATH(new CountedPoly(ring.data(), -1), "vertex count outside 1 to 255");
}

}  // namespace
