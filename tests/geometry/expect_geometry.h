// Comparisons of tuples and matrices that name the component that differs.
#ifndef KELVANE_TESTS_GEOMETRY_EXPECT_GEOMETRY_H
#define KELVANE_TESTS_GEOMETRY_EXPECT_GEOMETRY_H

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/matrix.h"
#include "geometry/vector.h"

// The first of four floats further than tolerance from its counterpart, or -1;
// a tolerance of 0 asks for equal floats.
inline int firstDifference(const float* got, const float* want, float tolerance) {
  for (int i = 0; i < 4; ++i) {
    if (!(std::fabs(got[i] - want[i]) <= tolerance)) return i;
  }
  return -1;
}

inline ::testing::AssertionResult tupleIs(const Tuple4& t, float x, float y, float z, float w,
                                          float tolerance = 0.0f) {
  const float got[4] = {t.x, t.y, t.z, t.w}, want[4] = {x, y, z, w};
  const int i = firstDifference(got, want, tolerance);
  if (i < 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "xyzw"[i] << " is " << got[i] << ", expected " << want[i];
}

inline ::testing::AssertionResult matrixIs(const Matrix4& a, const Matrix4& b, float tolerance = 0.0f) {
  for (int i = 0; i < 4; ++i) {
    const int j = firstDifference(a[i], b[i], tolerance);
    if (j >= 0) return ::testing::AssertionFailure() << "M[" << i << "][" << j << "] is " << a[i][j] << ", expected " << b[i][j];
  }
  return ::testing::AssertionSuccess();
}

#endif
