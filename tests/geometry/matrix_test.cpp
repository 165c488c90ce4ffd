#include <gtest/gtest.h>

#include <cmath>

#include "expect_geometry.h"
#include "geometry/matrix.h"

namespace {

Matrix4 withCells(std::initializer_list<std::pair<int, float>> cells) {
  Matrix4 m = identityMatrix;
  for (const auto& [index, value] : cells) m[index / 4][index % 4] = value;
  return m;
}

}  // namespace

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
  EXPECT_TRUE(matrixIs(withCells({{12, 1}, {13, 2}, {14, 3}}).inverse(),
                       withCells({{12, -1}, {13, -2}, {14, -3}})));
}

TEST(Matrix4, TimesItsInverseIsIdentity) {
  float values[16];
  for (int i = 0; i < 16; ++i) values[i] = float((i * 7 + 3) % 11) - 5.0f + (i % 5 == 0 ? 9.0f : 0.0f);
  const Matrix4 m(values);
  ASSERT_GT(std::fabs(m.determinant()), 1.0f);
  EXPECT_TRUE(matrixIs(m * m.inverse(), identityMatrix, 1e-5f));
  EXPECT_TRUE(matrixIs(m.inverse() * m, identityMatrix, 1e-5f));
}

TEST(Matrix4, SingularInverseIsNonFiniteNotACrash) {
  const Matrix4 flat = withCells({{10, 0}});
  EXPECT_EQ(flat.determinant(), 0.0f);
  EXPECT_FALSE(std::isfinite(flat.inverse()[0][0]));
}
