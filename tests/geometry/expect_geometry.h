// Comparisons of tuples and matrices that name the component that differs.
#ifndef KELVANE_TESTS_GEOMETRY_EXPECT_GEOMETRY_H
#define KELVANE_TESTS_GEOMETRY_EXPECT_GEOMETRY_H

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/matrix.h"
#include "geometry/vector.h"

// Within `tolerance` of (x, y, z, w); a tolerance of 0 asks for equal floats.
inline ::testing::AssertionResult tupleIs(const Tuple4& t, float x, float y, float z, float w,
                                          float tolerance = 0.0f) {
  const float got[4] = {t.x, t.y, t.z, t.w}, want[4] = {x, y, z, w};
  for (int i = 0; i < 4; ++i) {
    if (!(std::fabs(got[i] - want[i]) <= tolerance)) {
      return ::testing::AssertionFailure() << "xyzw"[i] << " is " << got[i] << ", expected " << want[i];
    }
  }
  return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult matrixIs(const Matrix4& a, const Matrix4& b, float tolerance = 0.0f) {
  for (int i = 0; i < 4; ++i) {
    const auto row = tupleIs(Tuple4(a[i][0], a[i][1], a[i][2], a[i][3]), b[i][0], b[i][1], b[i][2], b[i][3], tolerance);
    if (!row) return ::testing::AssertionFailure() << "row " << i << ": " << row.message();
  }
  return ::testing::AssertionSuccess();
}

#endif
