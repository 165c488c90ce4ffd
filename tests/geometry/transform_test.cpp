#include <gtest/gtest.h>

#include <cmath>

#include "expect_geometry.h"
#include "geometry/camera.h"
#include "geometry/transform.h"

TEST(Transform, RotationBetweenTurnsTwiceTheAngle) {
  const Tuple4 halfTurn = Point3(1, 2, 3, 1) * rotationBetween(Vector3(1, 0, 0), Vector3(0, 1, 0));
  EXPECT_TRUE(tupleIs(halfTurn, -1, -2, 3, 1));
  const Vector3 v(0.3f, -0.4f, 0.5f);
  EXPECT_EQ(rotationBetween(v, v * -1.0f), identityMatrix);
  EXPECT_EQ(rotationBetween(v, zeroVector), identityMatrix);
  // The trackball's vectors have length 0.95: nothing divides the scale out.
  const Matrix4 m = rotationBetween(Vector3(0.95f, 0, 0), Vector3(0, 0.95f, 0));
  EXPECT_EQ(m[3][3], 0.8145062f);
  EXPECT_EQ(m[2][2], 0.8145062f);
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
