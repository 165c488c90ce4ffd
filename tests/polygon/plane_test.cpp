#include <gtest/gtest.h>

#include "geometry/tolerance.h"
#include "polygon/plane.h"
#include "polygon/ray.h"
#include "polygon/test_shapes.h"

namespace {

Ray rayOf(Point3 origin, Vector3 direction) { return Ray{origin, direction}; }

TEST(Plane, SetFromNormalGivesSignedDistance) {
  Plane p;
  p.setFromNormal(Vector3(0, 0, 1), Point3(5, 5, 3, 1));
  EXPECT_EQ(p.x, 0.0f);
  EXPECT_EQ(p.y, 0.0f);
  EXPECT_EQ(p.z, 1.0f);
  EXPECT_EQ(p.w, -3.0f);
  EXPECT_EQ(Point3(0, 0, 5, 1).dot(p), 2.0f);
  EXPECT_EQ(Point3(0, 0, 1, 1).dot(p), -2.0f);
}

TEST(Plane, AssignmentTakesTheFourCoefficients) {
  Plane p;
  p = planeOf(1, 2, 3, 4);
  EXPECT_EQ(p.x, 1.0f);
  EXPECT_EQ(p.y, 2.0f);
  EXPECT_EQ(p.z, 3.0f);
  EXPECT_EQ(p.w, 4.0f);
}

TEST(Plane, IntersectGivesTheRayParameter) {
  const Plane z1 = planeOf(0, 0, 1, -1);
  EXPECT_EQ(z1.intersect(rayOf(Point3(0, 0, 0, 1), Vector3(0, 0, 1))), 1.0f);
  EXPECT_EQ(z1.intersect(rayOf(Point3(0, 0, 0, 1), Vector3(0, 0, 4))), 0.25f);
  // A genuine hit behind the origin, unclamped, reads like "no hit".
  EXPECT_EQ(z1.intersect(rayOf(Point3(0, 0, 2, 1), Vector3(0, 0, 1))), -1.0f);
}

TEST(Plane, IntersectTreatsNearlyParallelRaysAsMisses) {
  const Plane z1 = planeOf(0, 0, 1, -1);
  EXPECT_EQ(z1.intersect(rayOf(Point3(7, 8, 9, 1), Vector3(1, 0, 0))), -1.0f);
  const float below = std::nextafter(kEpsilon, 0.0f);
  EXPECT_EQ(z1.intersect(rayOf(Point3(0, 0, 0, 1), Vector3(0, 0, below))), -1.0f);
  // At exactly kEpsilon the test is no longer strict, so it divides.
  EXPECT_EQ(z1.intersect(rayOf(Point3(0, 0, 0, 1), Vector3(0, 0, kEpsilon))),
            static_cast<float>(1.0 / double(kEpsilon)));
}

}  // namespace
