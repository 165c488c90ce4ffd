#include "geometry/matrix.h"

namespace {

constexpr float kIdentityTable[16] = {
    1.0f, 0.0f, 0.0f, 0.0f,  //
    0.0f, 1.0f, 0.0f, 0.0f,  //
    0.0f, 0.0f, 1.0f, 0.0f,  //
    0.0f, 0.0f, 0.0f, 1.0f,
};

// The indices 0 to 3 without `skip`, in ascending order.
struct Others {
  int index[3];
  explicit Others(int skip) {
    int n = 0;
    for (int k = 0; k < 4; ++k) {
      if (k != skip) index[n++] = k;
    }
  }
};

}  // namespace

const Matrix4 identityMatrix(kIdentityTable);

Matrix4 Matrix4::operator*(const Matrix4& b) const {
  Matrix4 product;
  for (int i = 0; i < 4; ++i) {
    const Tuple4 r = row(i);
    for (int j = 0; j < 4; ++j) product.m[i][j] = r.dot(b.column(j));
  }
  return product;
}

Tuple4 operator*(const Tuple4& p, const Matrix4& m) {
  return Tuple4(p.dot(m.column(0)), p.dot(m.column(1)), p.dot(m.column(2)), p.dot(m.column(3)));
}

float Matrix4::cofactor(int row, int column) const {
  const Others r(row);
  const Others c(column);
  double n[3][3];
  for (int a = 0; a < 3; ++a) {
    for (int b = 0; b < 3; ++b) n[a][b] = m[r.index[a]][c.index[b]];
  }
  const double minor = n[0][0] * (n[1][1] * n[2][2] - n[1][2] * n[2][1]) -
                       n[0][1] * (n[1][0] * n[2][2] - n[1][2] * n[2][0]) +
                       n[0][2] * (n[1][0] * n[2][1] - n[1][1] * n[2][0]);
  const float rounded = static_cast<float>(minor);
  return (row + column) % 2 == 0 ? rounded : -rounded;
}

float Matrix4::determinant() const {
  double sum = 0.0;
  for (int j = 0; j < 4; ++j) sum += double(m[0][j]) * cofactor(0, j);
  return static_cast<float>(sum);
}

Matrix4 Matrix4::inverse() const {
  const double d = determinant();
  Matrix4 result;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) result.m[j][i] = static_cast<float>(cofactor(i, j) / d);
  }
  return result;
}

bool operator==(const Matrix4& a, const Matrix4& b) {
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      if (a.m[i][j] != b.m[i][j]) return false;
    }
  }
  return true;
}
