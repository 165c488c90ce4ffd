#include <gtest/gtest.h>

#include <cmath>

#include "expect_geometry.h"
#include "geometry/vector.h"

// Homogenising can run at compile time, so global points need no start-up code.
constexpr Point3 kHalved(2.0f, 4.0f, 6.0f, 2.0f);
static_assert(kHalved.x == 1.0f && kHalved.z == 3.0f && kHalved.w == 1.0f, "");

TEST(Point3, DividesByAnyWButExactlyOne) {
  EXPECT_TRUE(tupleIs(Point3(Tuple4(1, 2, 3, -1)), -1, -2, -3, 1));
  // One ulp above 1 still divides: 3 / (1 + 2^-23) rounds below 3.
  EXPECT_LT(Point3(3, 3, 3, std::nextafter(1.0f, 2.0f)).x, 3.0f);
  // set and a copy between points keep w; only a tuple coming in divides.
  Point3 p = originPoint;
  p.set(1, 2, 3, 2);
  const Point3 copy = p;
  EXPECT_TRUE(tupleIs(copy, 1, 2, 3, 2));
  p = static_cast<const Tuple4&>(copy);
  EXPECT_TRUE(tupleIs(p, 0.5f, 1, 1.5f, 1));
}

TEST(Vector3, CrossIsRightHandedAndDotReadsW) {
  EXPECT_TRUE(tupleIs(Vector3(3, 0, 4).normalize(), 0.6f, 0, 0.8f, 0));
  EXPECT_TRUE(tupleIs(Vector3(1, 0, 0).cross(Vector3(0, 1, 0)), 0, 0, 1, 0));
  EXPECT_EQ(Tuple4(0, 0, 1, -2).dot(Point3(5, 5, 3, 1)), 1.0f);
}
