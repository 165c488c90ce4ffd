#include "geometry/transform.h"

#include <cmath>
#include <initializer_list>

#include "geometry/tolerance.h"

namespace {

double radians(float degrees) { return double(kDegreesToRadians) * degrees; }

struct Cell {
  int row, column;
  float value;
};

// The simple transforms differ from the identity in a few cells only.
Matrix4 identityWith(std::initializer_list<Cell> cells) {
  Matrix4 result = identityMatrix;
  for (const Cell& cell : cells) result[cell.row][cell.column] = cell.value;
  return result;
}

}  // namespace

Matrix4 rotationY(float degrees) {
  const double theta = radians(degrees);
  const float c = static_cast<float>(std::cos(theta));
  const float s = static_cast<float>(std::sin(theta));
  return identityWith({{0, 0, c}, {0, 2, -s}, {2, 0, s}, {2, 2, c}});
}

Matrix4 translation(float x, float y, float z) {
  return identityWith({{3, 0, x}, {3, 1, y}, {3, 2, z}});
}

Matrix4 scaling(float x, float y, float z) {
  return identityWith({{0, 0, x}, {1, 1, y}, {2, 2, z}});
}

Matrix4 perspective(float d) { return identityWith({{2, 3, static_cast<float>(-1.0 / d)}}); }

Matrix4 viewFromBasis(const Vector3& xAxis, const Vector3& yAxis, const Vector3& zAxis,
                      const Point3& origin) {
  const float values[16] = {
      xAxis.x,               yAxis.x,               zAxis.x,               0.0f,  //
      xAxis.y,               yAxis.y,               zAxis.y,               0.0f,  //
      xAxis.z,               yAxis.z,               zAxis.z,               0.0f,  //
      -origin.dot(xAxis),    -origin.dot(yAxis),    -origin.dot(zAxis),    1.0f,
  };
  return Matrix4(values);
}

Matrix4 rotationFromQuaternion(float x, float y, float z, float w) {
  const double xx = double(x) * x, yy = double(y) * y, zz = double(z) * z, ww = double(w) * w;
  const double xy = double(x) * y, xz = double(x) * z, yz = double(y) * z;
  const double xw = double(x) * w, yw = double(y) * w, zw = double(z) * w;
  const double cells[16] = {
      xx + ww - yy - zz, 2 * (xy + zw),     2 * (xz - yw),     0,  //
      2 * (xy - zw),     yy + ww - xx - zz, 2 * (yz + xw),     0,  //
      2 * (xz + yw),     2 * (yz - xw),     zz + ww - xx - yy, 0,  //
      0,                 0,                 0,                 xx + yy + zz + ww,
  };
  float values[16];
  for (int i = 0; i < 16; ++i) values[i] = static_cast<float>(cells[i]);
  return Matrix4(values);
}

Matrix4 rotationBetween(const Vector3& from, const Vector3& to) {
  const float k = from.dot(to);
  const Vector3 a = from.cross(to);
  if (a.length() < kEpsilon) return identityMatrix;
  return rotationFromQuaternion(a.x, a.y, a.z, k);
}

float fieldOfView(int focalLength, float frameSize) {
  const double angle = 2.0 * std::atan2(double(frameSize) / 2.0, double(focalLength));
  return static_cast<float>(angle * kRadiansToDegrees);
}
