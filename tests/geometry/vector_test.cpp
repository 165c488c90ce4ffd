#include <gtest/gtest.h>

#include <cmath>
#include <type_traits>

#include "expect_geometry.h"
#include "geometry/vector.h"

static_assert(std::is_trivially_copyable_v<Point3> && std::is_trivially_copyable_v<Vector3> &&
                  std::is_trivially_copyable_v<Point2> && sizeof(Point3) == 4 * sizeof(float),
              "points are plain records of floats");

// Homogenising can run at compile time, so global points need no start-up code.
constexpr Point3 kHalved(2.0f, 4.0f, 6.0f, 2.0f);
static_assert(kHalved.x == 1.0f && kHalved.z == 3.0f && kHalved.w == 1.0f, "");

TEST(Point3, DividesByAnyWButExactlyOne) {
  EXPECT_TRUE(tupleIs(Point3(Tuple4(1, 2, 3, -1)), -1, -2, -3, 1));
  const Point3 kept(0.1f, 0.2f, 0.3f, 1.0f);
  EXPECT_TRUE(tupleIs(kept, 0.1f, 0.2f, 0.3f, 1));
  // One ulp above 1 still divides: 3 / (1 + 2^-23) rounds below 3.
  const Point3 nearlyOne(3, 3, 3, std::nextafter(1.0f, 2.0f));
  EXPECT_LT(nearlyOne.x, 3.0f);
  EXPECT_EQ(nearlyOne.w, 1.0f);
}

TEST(Point3, SetAndPointCopyKeepWWhileTupleAssignmentDivides) {
  Point3 p = originPoint;
  p.set(1, 2, 3, 2);
  const Point3 copy = p;
  EXPECT_TRUE(tupleIs(copy, 1, 2, 3, 2));
  Point3 viaTuple = originPoint;
  viaTuple = static_cast<const Tuple4&>(p);
  EXPECT_TRUE(tupleIs(viaTuple, 0.5f, 1, 1.5f, 1));
}

TEST(Vector3, LengthNormalizeAndCross) {
  Vector3 v(3, 0, 4);
  EXPECT_EQ(v.length(), 5.0f);
  EXPECT_EQ(&v.normalize(), &v);
  EXPECT_TRUE(tupleIs(v, 0.6f, 0, 0.8f, 0));
  EXPECT_TRUE(tupleIs(Vector3(1, 0, 0).cross(Vector3(0, 1, 0)), 0, 0, 1, 0));
  EXPECT_TRUE(tupleIs(Vector3(0, 1, 0).cross(Vector3(1, 0, 0)), 0, 0, -1, 0));
  EXPECT_TRUE(std::isnan(Vector3(zeroVector).normalize().x));
}

TEST(Tuple4, DotIsSignedPlaneDistanceForPointsAndPlainDotForVectors) {
  const Tuple4 plane(0, 0, 1, -2);
  EXPECT_EQ(plane.dot(Point3(5, 5, 3, 1)), 1.0f);
  EXPECT_EQ(plane.dot(Vector3(0, 0, 3)), 3.0f);
}

TEST(PointArithmetic, DifferencesAreVectorsAndSumsArePoints) {
  EXPECT_TRUE(tupleIs(Point3(1, 1, 1, 1) - Point3(0, 1, 2, 1), 1, 0, -1, 0));
  EXPECT_TRUE(tupleIs(originPoint + Vector3(1, 2, 3), 1, 2, 3, 1));
  const Vector2 step = Point2(1, 2) - Point2(0.5f, 0.5f);
  const Point2 moved = origin2 + step;
  EXPECT_EQ(step.x, 0.5f);
  EXPECT_EQ(step.y, 1.5f);
  EXPECT_EQ(Point2(step).y, moved.y);
  EXPECT_EQ(Vector2(moved).x, 0.5f);
}
