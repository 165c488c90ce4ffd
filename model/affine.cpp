#include "model/affine.h"

#include <algorithm>
#include <cmath>

#include "model/openscad_rules.h"

Vec3 Affine::apply(const Vec3& p) const {
  return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + m[0][3],
          m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + m[1][3],
          m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + m[2][3]};
}

double Affine::determinant() const {
  return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
         m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

Affine operator*(const Affine& a, const Affine& b) {
  Affine r;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 4; ++j) {
      r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] + (j == 3 ? a.m[i][3] : 0.0);
    }
  }
  return r;
}

// The identity with v down column `column`, or down the diagonal for -1.
static Affine withVector(const Vec3& v, int column) {
  Affine r;
  const double c[3] = {v.x, v.y, v.z};
  for (int i = 0; i < 3; ++i) r.m[i][column < 0 ? i : column] = c[i];
  return r;
}

Affine translationBy(const Vec3& v) { return withVector(v, 3); }

Affine scalingBy(const Vec3& v) { return withVector(v, -1); }

Affine rotationXyz(const Vec3& degrees) {
  const double sx = sinDegrees(degrees.x), cx = cosDegrees(degrees.x);
  const double sy = sinDegrees(degrees.y), cy = cosDegrees(degrees.y);
  const double sz = sinDegrees(degrees.z), cz = cosDegrees(degrees.z);
  Affine r;
  const double rows[3][3] = {{cy * cz, cz * sx * sy - cx * sz, cx * cz * sy + sx * sz},
                             {cy * sz, cx * cz + sx * sy * sz, -cz * sx + cx * sy * sz},
                             {-sy, cy * sx, cx * cy}};
  for (int i = 0; i < 3; ++i) std::copy(rows[i], rows[i] + 3, r.m[i]);
  return r;
}

Affine rotationAbout(double degrees, const Vec3& axis) {
  const Vec3 u = axis * (1.0 / std::sqrt(dot(axis, axis)));
  const double s = sinDegrees(degrees), c = cosDegrees(degrees), t = 1.0 - c;
  Affine r;
  const double rows[3][3] = {{t * u.x * u.x + c, t * u.x * u.y - s * u.z, t * u.x * u.z + s * u.y},
                             {t * u.x * u.y + s * u.z, t * u.y * u.y + c, t * u.y * u.z - s * u.x},
                             {t * u.x * u.z - s * u.y, t * u.y * u.z + s * u.x, t * u.z * u.z + c}};
  for (int i = 0; i < 3; ++i) std::copy(rows[i], rows[i] + 3, r.m[i]);
  return r;
}

Affine mirrorIn(const Vec3& v) {
  const Vec3 n = v * (1.0 / std::sqrt(dot(v, v)));
  Affine r;
  const double c[3] = {n.x, n.y, n.z};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) r.m[i][j] = (i == j ? 1.0 : 0.0) - 2.0 * c[i] * c[j];
  }
  return r;
}

void transformMesh(Mesh& mesh, const Affine& transform) {
  for (Vec3& p : mesh.points) p = transform.apply(p);
  if (transform.determinant() < 0.0) {
    for (Ring& ring : mesh.faces) std::reverse(ring.begin(), ring.end());
  }
}
