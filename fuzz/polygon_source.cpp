#include "fuzz/polygon_source.h"

#include <algorithm>
#include <cmath>

#include "fuzz/invariant.h"

namespace {

Point3 at(const Point3& c, const Vector3& u, const Vector3& v, double cu, double cv) {
  return Point3(static_cast<float>(c.x + u.x * cu + v.x * cv), static_cast<float>(c.y + u.y * cu + v.y * cv),
                static_cast<float>(c.z + u.z * cu + v.z * cv), 1.0f);
}

}  // namespace

Vector3 PolygonSource::direction() { return Vector3(in.coordinate(wild), in.coordinate(wild), in.coordinate(wild)); }

std::vector<Point3> PolygonSource::convexRing(const Point3& centre, const Vector3& u, const Vector3& v, int n) {
  std::vector<Point3> ring;
  const double turn = 6.283185307179586 / n;
  for (int i = 0; i < n; ++i) ring.push_back(at(centre, u, v, std::cos(turn * i), std::sin(turn * i)));
  return ring;
}

PolyRef PolygonSource::keep(std::vector<Point3> ring) {
  for (const Point3& p : ring) {
    for (float c : {p.x, p.y, p.z}) {
      if (std::isfinite(c)) largest = std::max(largest, double(std::fabs(c)));
    }
  }
  PolyRef r;
  r = new CountedPoly(ring.data(), static_cast<int>(ring.size()));
  polygons.push_back(r);
  return r;
}

PolyRef PolygonSource::next() {
  const std::uint8_t shape = in.byte();
  // Mostly small rings; now and then one beyond the split scratch arrays.
  const int n = (shape & 0x80) != 0 ? in.range(3, maxVertices) : in.range(3, std::min(8, maxVertices));
  const Point3 centre(in.coordinate(wild), in.coordinate(wild), in.coordinate(wild), 1.0f);
  switch (polygons.empty() ? 0 : shape % 4) {
    case 1: {  // in the plane of an earlier polygon, either way round
      const Poly& earlier = *polygons[in.range(0, static_cast<int>(polygons.size()) - 1)];
      const Point3& on = earlier.vertices[0];
      const Vector3 normal(earlier.plane.x, earlier.plane.y, earlier.plane.z);
      Vector3 u = on - earlier.vertices[earlier.vertexCount / 2];
      // A fresh size, so that chains of such rings do not grow without end.
      const float length = u.length();
      if (length > 0.0f && std::isfinite(length)) u = u * (in.range(1, 32) / 8.0f / length);
      std::vector<Point3> ring = convexRing(on, u, normal.cross(u), n);
      if ((shape & 0x40) != 0) std::reverse(ring.begin(), ring.end());
      return keep(ring);
    }
    case 2: {  // an earlier ring reversed
      const Poly& earlier = *polygons[in.range(0, static_cast<int>(polygons.size()) - 1)];
      std::vector<Point3> ring(earlier.vertices, earlier.vertices + earlier.vertexCount);
      std::reverse(ring.begin(), ring.end());
      return keep(ring);
    }
    case 3:
      return arbitrary(std::min(n, maxIrregular));
    default:
      return keep(convexRing(centre, direction(), direction(), n));
  }
}

PolyRef PolygonSource::arbitrary(int n) {
  irregular = irregular || n > 3;
  std::vector<Point3> ring;
  for (int i = 0; i < n; ++i) ring.emplace_back(in.coordinate(wild), in.coordinate(wild), in.coordinate(wild), 1.0f);
  return keep(ring);
}

void PolygonSource::release() {
  for (const PolyRef& p : polygons) require(p->refCount == 1, "a polygon is still held after everything was freed");
  polygons.clear();
}
