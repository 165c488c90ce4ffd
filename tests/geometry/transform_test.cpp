#include <gtest/gtest.h>

#include <cmath>

#include "expect_geometry.h"
#include "geometry/transform.h"

TEST(Transform, RotationYIsRightHandedAboutY) {
  const Matrix4 quarter = rotationY(90);
  EXPECT_TRUE(tupleIs(Point3(1, 0, 0, 1) * quarter, 0, 0, -1, 1, 1e-6f));
  EXPECT_TRUE(tupleIs(Point3(0, 0, 1, 1) * quarter, 1, 0, 0, 1, 1e-6f));
  EXPECT_EQ(rotationY(0), identityMatrix);
}

TEST(Transform, PerspectiveDividesThroughTheConversionToPoint) {
  const Tuple4 projected = Point3(1, 1, -2, 1) * perspective(2);
  EXPECT_TRUE(tupleIs(projected, 1, 1, -2, 2));
  EXPECT_TRUE(tupleIs(Point3(projected), 0.5f, 0.5f, -1, 1));
}

TEST(Transform, ViewFromBasisGivesFrameCoordinates) {
  // A frame turned a quarter about z and moved to (1, 2, 3).
  const Matrix4 view = viewFromBasis(Vector3(0, 1, 0), Vector3(-1, 0, 0), Vector3(0, 0, 1),
                                     Point3(1, 2, 3, 1));
  EXPECT_TRUE(tupleIs(Point3(0, 2, 5, 1) * view, 0, 1, 2, 1));
}

TEST(Transform, RotationBetweenTurnsTwiceTheAngle) {
  const Tuple4 halfTurn = Point3(1, 2, 3, 1) * rotationBetween(Vector3(1, 0, 0), Vector3(0, 1, 0));
  EXPECT_TRUE(tupleIs(halfTurn, -1, -2, 3, 1));
  const float h = std::sqrt(0.5f);
  const Tuple4 turned = Vector3(1, 0, 0) * rotationBetween(Vector3(1, 0, 0), Vector3(h, h, 0));
  EXPECT_TRUE(tupleIs(turned, 0, 1, 0, 0, 1e-6f));
  const Vector3 v(0.3f, -0.4f, 0.5f);
  EXPECT_EQ(rotationBetween(v, v * -1.0f), identityMatrix);
  EXPECT_EQ(rotationBetween(v, zeroVector), identityMatrix);
}

// The trackball's vectors have length 0.95: nothing divides the scale out.
TEST(Transform, RotationBetweenKeepsTheSquaredNormOfLongVectors) {
  const Matrix4 m = rotationBetween(Vector3(0.95f, 0, 0), Vector3(0, 0.95f, 0));
  EXPECT_EQ(m[3][3], 0.8145062f);
  EXPECT_EQ(m[2][2], 0.8145062f);
  EXPECT_EQ(m[0][0], -0.8145062f);
  EXPECT_TRUE(tupleIs(Point3(Point3(1, -2, 3, 1) * m), -1, 2, 3, 1, 1e-6f));
}

TEST(Transform, FieldOfViewOfA50mmLensOnA35mmFrame) {
  EXPECT_EQ(fieldOfView(50, 43.266617f), 46.793003f);
}
