#include "interaction/rotation_cleanup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geometry/expect_geometry.h"
#include "geometry/transform.h"
#include "interaction/trackball.h"

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

// Ten thousand composed trackball rotations, as ten thousand drags compose
// them: without the clean-up the corner cell would be 0.8145^10000.
TEST(RotationCleanupTest, TenThousandComposedDragsStayARotation) {
  Trackball ball(origin2, 0.95f);
  Matrix4 model = identityMatrix;
  for (int k = 0; k < 10000; ++k) {
    ball.begin(Point2(0.1f * static_cast<float>(k % 7) - 0.3f, 0.2f));
    model = cleanRotation(model * ball.drag(Point2(0.4f, -0.05f * static_cast<float>(k % 5))));
  }
  EXPECT_NEAR(model.determinant(), 1.0f, 1e-5f);
  const Matrix4 inverse = model.inverse();
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) ASSERT_TRUE(std::isfinite(inverse[i][j]));
  EXPECT_TRUE(matrixIs(model * inverse, identityMatrix, 1e-5f));
  EXPECT_EQ(model[3][3], 1.0f);
}

}  // namespace
