#include "geometry/rotation_cleanup.h"

#include <cmath>

namespace {

struct Row {
  double x, y, z;
};

double dot(const Row& a, const Row& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Row minus(const Row& a, const Row& b, double s) { return Row{a.x - b.x * s, a.y - b.y * s, a.z - b.z * s}; }

Row cross(const Row& a, const Row& b) {
  return Row{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// False when the row cannot be given unit length.
bool normalise(Row& r) {
  const double length = std::sqrt(dot(r, r));
  if (!(length > 0.0) || !std::isfinite(length)) return false;
  r = Row{r.x / length, r.y / length, r.z / length};
  return true;
}

}  // namespace

Matrix4 cleanRotation(const Matrix4& m) {
  const double corner = m[3][3];
  if (corner == 0.0 || !std::isfinite(corner)) return identityMatrix;
  Row r0{m[0][0] / corner, m[0][1] / corner, m[0][2] / corner};
  Row r1{m[1][0] / corner, m[1][1] / corner, m[1][2] / corner};
  if (!normalise(r0)) return identityMatrix;
  r1 = minus(r1, r0, dot(r1, r0));
  if (!normalise(r1)) return identityMatrix;
  const Row r2 = cross(r0, r1);

  Matrix4 result = identityMatrix;
  const Row rows[3] = {r0, r1, r2};
  for (int i = 0; i < 3; ++i) {
    result[i][0] = static_cast<float>(rows[i].x);
    result[i][1] = static_cast<float>(rows[i].y);
    result[i][2] = static_cast<float>(rows[i].z);
  }
  return result;
}
