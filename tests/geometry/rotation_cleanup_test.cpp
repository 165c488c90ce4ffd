#include "geometry/rotation_cleanup.h"

#include <gtest/gtest.h>

#include <limits>

#include "geometry/expect_geometry.h"
#include "geometry/transform.h"

namespace {

// The trackball's scale factor comes out, a skewed block comes back
// orthonormal and mirror-free, and what cannot be cleaned is the identity.
TEST(RotationCleanupTest, GivesAProperRotationOrTheIdentity) {
  Matrix4 scaled = rotationY(30), skewed = rotationY(40), flat = identityMatrix, notANumber = identityMatrix;
  for (int i = 0; i < 16; ++i) scaled[i / 4][i % 4] *= 0.8145062f;
  EXPECT_TRUE(matrixIs(cleanRotation(scaled), rotationY(30), 1e-6f));
  skewed[0][1] += 0.01f;
  skewed[2][2] *= 1.02f;
  const Matrix4 clean = cleanRotation(skewed);
  EXPECT_NEAR(clean.determinant(), 1.0f, 1e-6f);
  EXPECT_TRUE(matrixIs(clean * clean.inverse(), identityMatrix, 1e-6f));
  EXPECT_TRUE(matrixIs(clean, rotationY(40), 0.02f));
  flat[3][3] = 0;
  notANumber[1][1] = notANumber[1][0] = std::numeric_limits<float>::quiet_NaN();
  EXPECT_TRUE(matrixIs(cleanRotation(flat), identityMatrix));
  EXPECT_TRUE(matrixIs(cleanRotation(notANumber), identityMatrix));
}

}  // namespace
