#include "interaction/rotation_cleanup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geometry/expect_geometry.h"
#include "geometry/transform.h"

namespace {

Matrix4 scaled(const Matrix4& m, float s) {
  Matrix4 result = m;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) result[i][j] = m[i][j] * s;
  return result;
}

TEST(RotationCleanupTest, RemovesTheTrackballFactor) {
  const Matrix4 r = rotationY(30);
  EXPECT_TRUE(matrixIs(cleanRotation(scaled(r, 0.8145062f)), r, 1e-6f));
  EXPECT_TRUE(matrixIs(cleanRotation(identityMatrix), identityMatrix));
}

TEST(RotationCleanupTest, KeepsAMirrorFreeOrthonormalBlock) {
  Matrix4 skewed = rotationY(40);
  skewed[0][1] += 0.01f;
  skewed[2][2] *= 1.02f;
  const Matrix4 clean = cleanRotation(skewed);
  EXPECT_NEAR(clean.determinant(), 1.0f, 1e-6f);
  EXPECT_TRUE(matrixIs(clean * clean.inverse(), identityMatrix, 1e-6f));
  EXPECT_TRUE(matrixIs(clean, rotationY(40), 0.02f));
}

TEST(RotationCleanupTest, UnusableInputGivesTheIdentity) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  Matrix4 bad = identityMatrix;
  bad[3][3] = 0;
  EXPECT_TRUE(matrixIs(cleanRotation(bad), identityMatrix));
  bad = identityMatrix;
  bad[1][1] = nan;
  bad[1][0] = nan;
  EXPECT_TRUE(matrixIs(cleanRotation(bad), identityMatrix));
}

}  // namespace
