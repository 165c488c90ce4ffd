#include "model/face_cutting.h"

#include <cmath>

namespace {

struct Flat {
  double u, v;
};

double turn(const Flat& a, const Flat& b, const Flat& c) {
  return (b.u - a.u) * (c.v - b.v) - (b.v - a.v) * (c.u - b.u);
}

double extent(const std::vector<Vec3>& points, const Ring& ring) {
  double e = 0.0;
  for (int i : ring) {
    const Vec3& p = points[std::size_t(i)];
    e = std::fmax(e, std::fmax(std::fabs(p.x), std::fmax(std::fabs(p.y), std::fabs(p.z))));
  }
  return e;
}

// Every point within a relative 1e-9 of the plane of normal n through the
// first point, and every corner turning the same way.
bool isPlanarConvex(const std::vector<Vec3>& points, const Ring& ring, const Vec3& n) {
  const double size = std::sqrt(dot(n, n));
  const double tolerance = 1e-9 * extent(points, ring);
  const Vec3& origin = points[std::size_t(ring[0])];
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const Vec3& a = points[std::size_t(ring[i])];
    const Vec3& b = points[std::size_t(ring[(i + 1) % ring.size()])];
    const Vec3& c = points[std::size_t(ring[(i + 2) % ring.size()])];
    if (std::fabs(dot(a - origin, n)) > tolerance * size) return false;
    if (dot(cross(b - a, c - b), n) < -tolerance * tolerance * size) return false;
  }
  return true;
}

bool inside(const Flat& p, const Flat& a, const Flat& b, const Flat& c) {
  return turn(a, b, p) >= 0 && turn(b, c, p) >= 0 && turn(c, a, p) >= 0;
}

}  // namespace

std::vector<Ring> convexPieces(const std::vector<Vec3>& points, const Ring& ring) {
  const Vec3 n = newellNormal(points, ring);
  if (ring.size() == 3 || isPlanarConvex(points, ring, n)) return {ring};
  if (ring.size() > std::size_t(kMaxClippedFaceSize)) return {};

  // Project along the normal's largest component, keeping the turning sense
  // counterclockwise in (u, v).
  const double ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
  std::vector<Flat> flat;
  for (int i : ring) {
    const Vec3& p = points[std::size_t(i)];
    if (az >= ax && az >= ay)
      flat.push_back(n.z > 0 ? Flat{p.x, p.y} : Flat{p.y, p.x});
    else if (ax >= ay)
      flat.push_back(n.x > 0 ? Flat{p.y, p.z} : Flat{p.z, p.y});
    else
      flat.push_back(n.y > 0 ? Flat{p.z, p.x} : Flat{p.x, p.z});
  }

  std::vector<std::size_t> left(ring.size());
  for (std::size_t i = 0; i < left.size(); ++i) left[i] = i;
  std::vector<Ring> pieces;
  while (left.size() > 3) {
    bool cut = false;
    for (std::size_t k = 0; k < left.size() && !cut; ++k) {
      const std::size_t a = left[(k + left.size() - 1) % left.size()], b = left[k], c = left[(k + 1) % left.size()];
      if (turn(flat[a], flat[b], flat[c]) <= 0) continue;
      bool empty = true;
      for (std::size_t other : left) {
        if (other != a && other != b && other != c && inside(flat[other], flat[a], flat[b], flat[c])) {
          empty = false;
          break;
        }
      }
      if (!empty) continue;
      pieces.push_back({ring[a], ring[b], ring[c]});
      left.erase(left.begin() + static_cast<std::ptrdiff_t>(k));
      cut = true;
    }
    if (!cut) return {};
  }
  pieces.push_back({ring[left[0]], ring[left[1]], ring[left[2]]});
  return pieces;
}
