#include <gtest/gtest.h>

#include <cmath>

#include "expect_geometry.h"
#include "geometry/camera.h"
#include "geometry/matrix.h"
#include "geometry/transform.h"

namespace {

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
  EXPECT_TRUE(tupleIs(Vector3(1, 0, 0).cross(Vector3(0, 1, 0)), 0, 0, 1, 0));
  EXPECT_EQ(Tuple4(0, 0, 1, -2).dot(Point3(5, 5, 3, 1)), 1.0f);
}

// The identity with the given cells (row * 4 + column) replaced.
Matrix4 withCells(std::initializer_list<std::pair<int, float>> cells) {
  Matrix4 m = identityMatrix;
  for (const auto& [index, value] : cells) m[index / 4][index % 4] = value;
  return m;
}

TEST(Matrix4, LeftFactorActsFirst) {
  const Matrix4 shiftX = withCells({{12, 1}});
  const Matrix4 quarterTurnY = withCells({{0, 0}, {2, -1}, {8, 1}, {10, 0}});
  EXPECT_TRUE(tupleIs(originPoint * (shiftX * quarterTurnY), 0, 0, -1, 1));
  EXPECT_TRUE(tupleIs(originPoint * (quarterTurnY * shiftX), 1, 0, 0, 1));
  EXPECT_TRUE(tupleIs(Vector3(1, 0, 0) * shiftX, 1, 0, 0, 0));
}

// Off-diagonal cells in both triangles catch a wrong sign rule and a
// missing transposition of the adjugate.
TEST(Matrix4, CofactorSignsAndAdjugateTransposition) {
  const Matrix4 m = withCells({{1, 2}, {4, 3}, {5, 4}});
  EXPECT_EQ(m.cofactor(0, 1), -3.0f);
  EXPECT_EQ(m.cofactor(1, 0), -2.0f);
  EXPECT_EQ(m.determinant(), -2.0f);
  EXPECT_TRUE(matrixIs(m.inverse(), withCells({{0, -2}, {1, 1}, {4, 1.5f}, {5, -0.5f}})));
  EXPECT_FALSE(std::isfinite(withCells({{10, 0}}).inverse()[0][0]));  // singular: no crash
}

TEST(Transform, RotationBetweenTurnsTwiceTheAngle) {
  const Tuple4 halfTurn = Point3(1, 2, 3, 1) * rotationBetween(Vector3(1, 0, 0), Vector3(0, 1, 0));
  EXPECT_TRUE(tupleIs(halfTurn, -1, -2, 3, 1));
  const Vector3 v(0.3f, -0.4f, 0.5f);
  EXPECT_EQ(rotationBetween(v, v * -1.0f), identityMatrix);
  EXPECT_EQ(rotationBetween(v, zeroVector), identityMatrix);
  // The trackball's vectors have length 0.95: nothing divides the scale out.
  const Matrix4 m = rotationBetween(Vector3(0.95f, 0, 0), Vector3(0, 0.95f, 0));
  EXPECT_EQ(m[3][3], 0.8145062f);
  EXPECT_EQ(m[0][0], -0.8145062f);
  EXPECT_TRUE(tupleIs(Point3(Point3(1, -2, 3, 1) * m), -1, 2, 3, 1, 1e-6f));
}

// The viewer's camera: five units back on +z, looking at the origin through
// the angle of a 50 mm lens on a 35 mm frame.
TEST(Camera, ViewerCameraToTheLastDigit) {
  EXPECT_EQ(fieldOfView(50, 43.266617f), 46.793003f);
  const Camera camera(Point3(0, 0, 5, 1), originPoint, 46.793003f);
  Matrix4 expected = identityMatrix;
  expected[2][3] = -0.43266618f;
  expected[3][2] = -2.6887493f;
  expected[3][3] = 2.1633308f;
  EXPECT_TRUE(matrixIs(camera.viewProjection, expected));
  const Point3 onScreen = Point3(1, 0, 0, 1) * camera.viewProjection;
  EXPECT_NEAR(onScreen.x, 0.46225f, 5e-6f);
  EXPECT_EQ(onScreen.y, 0.0f);
}

// Half the field of view off the axis, sideways or upwards, lands at
// distance 1 from the centre of the screen plane, whatever the view axis.
TEST(Camera, HalfTheFieldOfViewLandsAtOne) {
  const Point3 eye(3, 1, 4, 1), target(-1, 1, 1, 1);
  Camera camera(Point3(0, 0, 5, 1), originPoint, 46.793003f);
  camera.lookAt(eye, target, 60);
  EXPECT_TRUE(matrixIs(camera.viewProjection * camera.inverseViewProjection, identityMatrix, 1e-5f));
  const Vector3 axis = (target - eye).normalize();
  const Tuple4 sideways = axis * rotationY(30);
  const Point3 right = Point3(eye + Vector3(sideways.x, sideways.y, sideways.z) * 7) * camera.viewProjection;
  EXPECT_NEAR(std::fabs(right.x), 1.0f, 1e-5f);
  EXPECT_NEAR(right.y, 0.0f, 1e-6f);
  const Vector3 upwards = axis * std::cos(kPi / 6) + Vector3(0, 1, 0) * std::sin(kPi / 6);
  const Point3 top = Point3(eye + upwards * 3) * camera.viewProjection;
  EXPECT_NEAR(top.x, 0.0f, 1e-6f);
  EXPECT_NEAR(top.y, 1.0f, 1e-5f);
}

}  // namespace
