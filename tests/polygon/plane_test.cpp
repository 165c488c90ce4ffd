#include <gtest/gtest.h>

#include <cmath>

#include "geometry/tolerance.h"
#include "polygon/ray.h"
#include "polygon/test_shapes.h"

namespace {

TEST(Plane, DotWithAPointIsItsSignedDistance) {
  Plane p;
  p.setFromNormal(Vector3(0, 0, 1), pt(5, 5, 3));
  EXPECT_TRUE(sameTuple(p, Tuple4(0, 0, 1, -3)));
  EXPECT_EQ(pt(0, 0, 5).dot(p), 2.0f);
  EXPECT_EQ(pt(0, 0, 1).dot(p), -2.0f);
}

TEST(Plane, IntersectGivesTheUnclampedRayParameter) {
  const Plane z1 = planeOf(0, 0, 1, -1);
  const auto hit = [&](Point3 origin, Vector3 direction) { return z1.intersect(Ray{origin, direction}); };
  EXPECT_EQ(hit(pt(0, 0, 0), Vector3(0, 0, 1)), 1.0f);
  EXPECT_EQ(hit(pt(0, 0, 0), Vector3(0, 0, 4)), 0.25f);
  // A genuine hit one length behind the origin reads like a miss.
  EXPECT_EQ(hit(pt(0, 0, 2), Vector3(0, 0, 1)), -1.0f);
  EXPECT_EQ(hit(pt(7, 8, 9), Vector3(1, 0, 0)), -1.0f);
  EXPECT_EQ(hit(pt(0, 0, 0), Vector3(0, 0, std::nextafter(kEpsilon, 0.0f))), -1.0f);
  // At exactly kEpsilon the parallel test no longer holds, so it divides.
  EXPECT_EQ(hit(pt(0, 0, 0), Vector3(0, 0, kEpsilon)), static_cast<float>(1.0 / double(kEpsilon)));
}

}  // namespace
