#include <gtest/gtest.h>

#include <cmath>

#include "expect_geometry.h"
#include "geometry/matrix.h"

namespace {

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

}  // namespace
