#include "bsp/bounds.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "geometry/tolerance.h"

Bounds::Bounds() {
  for (int a = 0; a < 3; ++a) {
    min[a] = std::numeric_limits<double>::infinity();
    max[a] = -std::numeric_limits<double>::infinity();
  }
}

void Bounds::grow(const Poly& poly) {
  // The ring's extent in float first, widened once: widening keeps order
  // and equality, so the box comes out as if each vertex were taken in
  // double, a NaN skipped as std::min and std::max skip it.
  constexpr float kInf = std::numeric_limits<float>::infinity();
  float loX = kInf, loY = kInf, loZ = kInf, hiX = -kInf, hiY = -kInf, hiZ = -kInf;
  const Point3* ring = poly.vertices;
  for (int i = 0; i < poly.vertexCount; ++i) {
    loX = std::min(loX, ring[i].x);
    loY = std::min(loY, ring[i].y);
    loZ = std::min(loZ, ring[i].z);
    hiX = std::max(hiX, ring[i].x);
    hiY = std::max(hiY, ring[i].y);
    hiZ = std::max(hiZ, ring[i].z);
  }
  const double lo[3] = {loX, loY, loZ};
  const double hi[3] = {hiX, hiY, hiZ};
  for (int a = 0; a < 3; ++a) {
    min[a] = std::min(min[a], lo[a]);
    max[a] = std::max(max[a], hi[a]);
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

Bounds Bounds::clippedTo(const Plane& plane, bool back, double margin) const {
  if (isEmpty()) return *this;
  // As the back half-space n.p + w <= margin; the front one turned round.
  const double sign = back ? 1.0 : -1.0;
  const double n[3] = {sign * plane.x, sign * plane.y, sign * plane.z};
  double low[3];
  double lowest = sign * plane.w;
  for (int a = 0; a < 3; ++a) {
    low[a] = std::min(n[a] * min[a], n[a] * max[a]);
    lowest += low[a];
  }
  if (lowest > margin) return Bounds();
  // On each axis, how far a point can go while the other axes stay at their
  // lowest; rounding may only leave the box larger, never empty it.
  Bounds clipped = *this;
  for (int a = 0; a < 3; ++a) {
    if (n[a] == 0.0) continue;
    const double bound = (margin - (lowest - low[a])) / n[a];
    if (n[a] > 0) {
      clipped.max[a] = std::max(min[a], std::min(max[a], bound));
    } else {
      clipped.min[a] = std::min(max[a], std::max(min[a], bound));
    }
  }
  return clipped;
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

float toleranceFor(const Bounds& solids) {
  if (solids.isEmpty()) return kEpsilon;
  const double t = std::max(std::ldexp(solids.largestCoordinate(), -22), std::ldexp(solids.extent(), -18));
  return static_cast<float>(std::max(t, double(std::numeric_limits<float>::min())));
}
