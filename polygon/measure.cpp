// Each polygon is a fan of triangles from its first vertex. The volume sums
// the signed tetrahedra from the origin to every triangle, a third of the
// flux of the position vector through the surface. The vertices are moved
// by the first one of the first polygon before the sums, so that a small
// solid far from the origin does not lose its volume to cancellation.
#include "polygon/measure.h"

#include <cmath>

namespace {

struct Vec {
  double x, y, z;
};

Vec sub(const Point3& p, const Vec& o) { return {p.x - o.x, p.y - o.y, p.z - o.z}; }
Vec cross(const Vec& a, const Vec& b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dot(const Vec& a, const Vec& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Calls visit(a, b, c) for each fan triangle, relative to origin.
template <class Visit>
void forEachTriangle(const PolyList& polygons, Visit visit) {
  const Vec origin = polygons.head == nullptr ? Vec{0, 0, 0} : sub(polygons.head->poly->vertices[0], {0, 0, 0});
  for (const PolyNode* n = polygons.head; n != nullptr; n = n->next) {
    const Poly& p = *n->poly;
    const Vec a = sub(p.vertices[0], origin);
    for (int i = 1; i + 1 < p.vertexCount; ++i) visit(a, sub(p.vertices[i], origin), sub(p.vertices[i + 1], origin));
  }
}

}  // namespace

double solidVolume(const PolyList& polygons) {
  double sixTimes = 0.0;
  forEachTriangle(polygons, [&](const Vec& a, const Vec& b, const Vec& c) { sixTimes += dot(a, cross(b, c)); });
  return sixTimes / 6.0;
}

double surfaceArea(const PolyList& polygons) {
  double twice = 0.0;
  forEachTriangle(polygons, [&](const Vec& a, const Vec& b, const Vec& c) {
    const Vec n = cross(Vec{b.x - a.x, b.y - a.y, b.z - a.z}, Vec{c.x - a.x, c.y - a.y, c.z - a.z});
    twice += std::sqrt(dot(n, n));
  });
  return twice / 2.0;
}
