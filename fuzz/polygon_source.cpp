#include "fuzz/polygon_source.h"

#include <algorithm>
#include <cmath>

#include "fuzz/checks.h"

namespace {

std::vector<Point3> convexRing(const Point3& c, const Vector3& u, const Vector3& v, int n) {
  std::vector<Point3> ring;
  const double turn = 6.283185307179586 / n;
  for (int i = 0; i < n; ++i) {
    const double cu = std::cos(turn * i), cv = std::sin(turn * i);
    ring.emplace_back(static_cast<float>(c.x + u.x * cu + v.x * cv), static_cast<float>(c.y + u.y * cu + v.y * cv),
                      static_cast<float>(c.z + u.z * cu + v.z * cv), 1.0f);
  }
  return ring;
}

}  // namespace

PolyRef PolygonSource::keep(const std::vector<Point3>& ring) {
  for (const Point3& p : ring) {
    for (float c : {p.x, p.y, p.z}) largest = std::isfinite(c) ? std::max(largest, double(std::fabs(c))) : largest;
  }
  made.emplace_back();
  made.back() = new CountedPoly(ring.data(), static_cast<int>(ring.size()));
  return made.back();
}

PolyRef PolygonSource::next() {
  const std::uint8_t shape = in.byte();
  // Mostly small rings; now and then one beyond the split scratch arrays.
  const int n = (shape & 0x80) != 0 ? in.range(3, maxVertices) : in.range(3, std::min(8, maxVertices));
  const Point3 centre(in.coordinate(wild), in.coordinate(wild), in.coordinate(wild), 1.0f);
  const int kind = made.empty() ? 0 : shape % 4;
  if (kind == 3) return arbitrary(std::min(n, maxIrregular));
  if (kind == 0) {
    const Vector3 u(in.coordinate(wild), in.coordinate(wild), in.coordinate(wild));
    return keep(convexRing(centre, u, Vector3(in.coordinate(wild), in.coordinate(wild), in.coordinate(wild)), n));
  }
  const Poly& e = *made[in.range(0, static_cast<int>(made.size()) - 1)];
  std::vector<Point3> ring(e.vertices, e.vertices + e.vertexCount);
  if (kind == 1) {  // in the plane of the earlier polygon, either way round
    Vector3 u = e.vertices[0] - e.vertices[e.vertexCount / 2];
    // A fresh size, so that chains of such rings do not grow without end.
    const float length = u.length();
    if (length > 0.0f && std::isfinite(length)) u = u * (in.range(1, 32) / 8.0f / length);
    ring = convexRing(e.vertices[0], u, Vector3(e.plane.x, e.plane.y, e.plane.z).cross(u), n);
  }
  if (kind == 2 || (shape & 0x40) != 0) std::reverse(ring.begin(), ring.end());
  return keep(ring);
}

PolyRef PolygonSource::arbitrary(int n) {
  irregular = irregular || n > 3;
  std::vector<Point3> ring;
  for (int i = 0; i < n; ++i) ring.emplace_back(in.coordinate(wild), in.coordinate(wild), in.coordinate(wild), 1.0f);
  return keep(ring);
}

void PolygonSource::release() {
  for (const PolyRef& p : made) require(p->refCount == 1, "a polygon is still held after everything was freed");
  made.clear();
}
