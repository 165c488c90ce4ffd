#include <gtest/gtest.h>

#include <cmath>

#include "expect_geometry.h"
#include "geometry/camera.h"
#include "geometry/transform.h"

// The viewer's camera: five units back on +z, looking at the origin through
// the angle of a 50 mm lens on a 35 mm frame.
TEST(Camera, ViewerCameraToTheLastDigit) {
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
  const Point3 eye(3, 1, 4, 1);
  const Camera camera(eye, Point3(-1, 1, 1, 1), 60);
  const Vector3 axis = (Point3(-1, 1, 1, 1) - eye).normalize();
  const Tuple4 sideways = axis * rotationY(30);
  const Point3 right = Point3(eye + Vector3(sideways.x, sideways.y, sideways.z) * 7) *
                       camera.viewProjection;
  EXPECT_NEAR(std::fabs(right.x), 1.0f, 1e-5f);
  EXPECT_NEAR(right.y, 0.0f, 1e-6f);
  const Vector3 upwards = axis * std::cos(kPi / 6) + Vector3(0, 1, 0) * std::sin(kPi / 6);
  const Point3 top = Point3(eye + upwards * 3) * camera.viewProjection;
  EXPECT_NEAR(top.x, 0.0f, 1e-6f);
  EXPECT_NEAR(top.y, 1.0f, 1e-5f);
}

TEST(Camera, LookAtRebuildsTheInverseWithTheMatrix) {
  Camera camera(Point3(0, 0, 5, 1), originPoint, 46.793003f);
  camera.lookAt(Point3(2, 3, -4, 1), Point3(0.5f, 0, 0, 1), 30);
  EXPECT_TRUE(tupleIs(camera.eye, 2, 3, -4, 1));
  EXPECT_TRUE(matrixIs(camera.viewProjection * camera.inverseViewProjection, identityMatrix, 1e-5f));
}
