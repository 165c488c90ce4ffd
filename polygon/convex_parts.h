// A convex ring of any length as polygons that fit the 8-bit vertex count:
// one polygon when it fits, otherwise a fan of coplanar convex parts from
// the ring's first vertex, each part sharing an edge with the next. The
// parts cover the ring exactly, so a solid's surface stays closed.
#ifndef KELVANE_POLYGON_CONVEX_PARTS_H
#define KELVANE_POLYGON_CONVEX_PARTS_H

#include <algorithm>

#include "polygon/counted_poly.h"
#include "polygon/poly.h"
#include "polygon/poly_list.h"

// Parts a ring of count vertices comes in.
constexpr int convexPartCount(int count) {
  return count <= kMaxVertexCount ? 1 : 1 + (count - 2 - 1) / (kMaxVertexCount - 2);
}

// Calls take(CountedPoly*) with each new part of points[0 .. count - 1]
// (count at least 3), in ring order.
template <class Take>
void makeConvexParts(const Point3* points, int count, Take take) {
  if (count <= kMaxVertexCount) {
    take(new CountedPoly(points, count));
    return;
  }
  Point3 part[kMaxVertexCount];
  part[0] = points[0];
  // Each part is the first vertex and a run of the ring; consecutive runs
  // share their end vertex.
  for (int start = 1; start < count - 1; start += kMaxVertexCount - 2) {
    const int run = std::min(kMaxVertexCount - 1, count - start);
    std::copy(points + start, points + start + run, part + 1);
    take(new CountedPoly(part, run + 1));
  }
}

// Adds the ring to list as makeConvexParts cuts it.
void addConvexRing(PolyList& list, const Point3* points, int count);

#endif
