#include "bsp/bounds.h"

#include <algorithm>
#include <cmath>
#include <limits>

Bounds::Bounds() {
  for (int a = 0; a < 3; ++a) {
    min[a] = std::numeric_limits<double>::infinity();
    max[a] = -std::numeric_limits<double>::infinity();
  }
}

void Bounds::grow(const Poly& poly) {
  for (int i = 0; i < poly.vertexCount; ++i) {
    const Point3& v = poly.vertices[i];
    const double c[3] = {v.x, v.y, v.z};
    for (int a = 0; a < 3; ++a) {
      min[a] = std::min(min[a], c[a]);
      max[a] = std::max(max[a], c[a]);
    }
  }
}

void Bounds::grow(const PolyList& list) {
  for (const PolyNode* n = list.head; n != nullptr; n = n->next) grow(*n->poly);
}

void Bounds::grow(const Bounds& other) {
  for (int a = 0; a < 3; ++a) {
    min[a] = std::min(min[a], other.min[a]);
    max[a] = std::max(max[a], other.max[a]);
  }
}

bool Bounds::meets(const Bounds& other, double margin) const {
  for (int a = 0; a < 3; ++a) {
    if (min[a] - margin > other.max[a] || other.min[a] > max[a] + margin) return false;
  }
  return true;
}

bool Bounds::reaches(const Plane& plane, bool back, double margin) const {
  if (isEmpty()) return false;
  // The corner farthest towards the side asked for.
  const double n[3] = {plane.x, plane.y, plane.z};
  double value = plane.w;
  for (int a = 0; a < 3; ++a) value += n[a] * ((n[a] > 0) != back ? max[a] : min[a]);
  return back ? value < margin : value > -margin;
}

double Bounds::largestCoordinate() const {
  double m = 0.0;
  for (int a = 0; a < 3; ++a) m = std::max({m, std::fabs(min[a]), std::fabs(max[a])});
  return m;
}

double Bounds::extent() const {
  double e = 0.0;
  for (int a = 0; a < 3; ++a) e = std::max(e, max[a] - min[a]);
  return e;
}
