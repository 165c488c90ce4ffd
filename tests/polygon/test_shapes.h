// Small builders shared by the core suites.
#ifndef KELVANE_TESTS_POLYGON_TEST_SHAPES_H
#define KELVANE_TESTS_POLYGON_TEST_SHAPES_H

#include <cmath>
#include <initializer_list>
#include <vector>

#include "geometry/expect_geometry.h"
#include "polygon/plane.h"
#include "polygon/poly_list_ref.h"
#include "polygon/poly_ref.h"

using Polys = std::vector<const CountedPoly*>;

inline Point3 pt(float x, float y, float z) { return Point3(x, y, z, 1.0f); }

inline Plane planeOf(float a, float b, float c, float d) { Plane p; p.set(a, b, c, d); return p; }

inline PolyRef polyOf(const std::vector<Point3>& ring) {
  PolyRef r;
  r = new CountedPoly(ring.data(), static_cast<int>(ring.size()));
  return r;
}

// A convex ring of n vertices on the unit circle in the plane z = 0.
inline std::vector<Point3> circle(int n) {
  std::vector<Point3> ring;
  for (int i = 0; i < n; ++i) ring.push_back(pt(std::cos(2 * M_PI * i / n), std::sin(2 * M_PI * i / n), 0));
  return ring;
}

// The square [-1, 1]^2 at height z, counterclockwise seen from +z.
inline PolyRef squareAt(float z) { return polyOf({pt(1, 1, z), pt(-1, 1, z), pt(-1, -1, z), pt(1, -1, z)}); }

// Face F1..F6 of the cube [-1, 1]^3: +z, -z, +x, +y, -x, -y, each
// counterclockwise seen from outside.
inline const Point3 kCubeCorners[8] = {pt(1, 1, 1),  pt(-1, 1, 1),  pt(-1, -1, 1),  pt(1, -1, 1),
                                       pt(1, 1, -1), pt(-1, 1, -1), pt(-1, -1, -1), pt(1, -1, -1)};
inline const int kCubeRings[6][4] = {{0, 1, 2, 3}, {7, 6, 5, 4}, {0, 3, 7, 4}, {0, 4, 5, 1}, {5, 6, 2, 1}, {3, 2, 6, 7}};
inline PolyRef cubeFace(int face) {
  const int* r = kCubeRings[face - 1];
  return PolyRef(kCubeCorners, 4, r[0], r[1], r[2], r[3]);
}

// The cube scaled by size, then moved by (dx, dy, dz); its faces F1..F6 in
// order, turned inwards when reversed.
inline PolyListRef cubeAt(float size, float dx, float dy, float dz, bool reversed = false) {
  Point3 c[8];
  for (int i = 0; i < 8; ++i) c[i] = pt(kCubeCorners[i].x * size + dx, kCubeCorners[i].y * size + dy, kCubeCorners[i].z * size + dz);
  PolyListRef list;
  for (const int* r : kCubeRings) list->add(reversed ? PolyRef(c, 4, r[3], r[2], r[1], r[0]) : PolyRef(c, 4, r[0], r[1], r[2], r[3]));
  return list;
}

// A new list of these polygons added in order, so the last is the head.
inline PolyListRef listOf(std::initializer_list<PolyRef> polys) {
  PolyListRef list;
  for (const PolyRef& p : polys) list->add(p);
  return list;
}

// The list's polygons from the head, without changing the list.
inline Polys contents(const PolyList& list) {
  Polys polys;
  for (const PolyNode* n = list.head; n != nullptr; n = n->next) polys.push_back(n->poly.get());
  return polys;
}

#endif
