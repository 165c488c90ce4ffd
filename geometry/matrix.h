// 4 x 4 matrices of floats, stored row by row.
//
// Tuples are row vectors multiplied on the left: p * M gives the tuple whose
// component j is p dotted with column j of M. So a translation lives in row 3,
// the perspective divide is set up in column 3, and in a product A * B the
// left factor acts first; chains read in the order the transforms happen.
//
// Every sum of products is formed in double precision and rounded once, to
// the float it is stored in. The inverse is the adjugate over the
// determinant; it is only ever applied to rotations and to the camera, whose
// determinants are far from zero, so it does no pivoting and tests nothing.
#ifndef KELVANE_GEOMETRY_MATRIX_H
#define KELVANE_GEOMETRY_MATRIX_H

#include "geometry/vector.h"

struct Matrix4 {
  float m[4][4];

  Matrix4() = default;

  // Takes the sixteen values row by row: values[4 * i + j] goes to m[i][j].
  // Constant-evaluable, so that tables of matrices need no start-up code.
  constexpr explicit Matrix4(const float values[16]) : m{} {
    for (int i = 0; i < 16; ++i) m[i / 4][i % 4] = values[i];
  }

  // M[i][j] is the element in row i, column j.
  float* operator[](int row) { return m[row]; }
  const float* operator[](int row) const { return m[row]; }

  Tuple4 row(int i) const { return Tuple4(m[i][0], m[i][1], m[i][2], m[i][3]); }
  Tuple4 column(int j) const { return Tuple4(m[0][j], m[1][j], m[2][j], m[3][j]); }

  // The product in which this matrix acts first; neither operand changes.
  Matrix4 operator*(const Matrix4& b) const;

  // The signed determinant of the 3 x 3 minor without this row and column.
  // The minor is rounded to float before its sign is applied. row and column
  // must lie in 0 to 3.
  float cofactor(int row, int column) const;

  // Laplace expansion along row 0.
  float determinant() const;

  // Adjugate over determinant. A singular matrix yields non-finite elements.
  Matrix4 inverse() const;
};

// p transformed by M, not homogenised: convert to a Point3 to divide by w.
Tuple4 operator*(const Tuple4& p, const Matrix4& m);

bool operator==(const Matrix4& a, const Matrix4& b);
inline bool operator!=(const Matrix4& a, const Matrix4& b) { return !(a == b); }

extern const Matrix4 identityMatrix;

#endif
