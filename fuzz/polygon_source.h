// Polygons for the fuzz checks, made from fuzz input: planar convex rings
// in arbitrary planes, rings sharing the plane of an earlier polygon (either
// way round), the reverse of an earlier ring, and arbitrary point rings that
// are neither planar nor convex. Raw float coordinates come only when wild.
#ifndef KELVANE_FUZZ_POLYGON_SOURCE_H
#define KELVANE_FUZZ_POLYGON_SOURCE_H

#include <vector>

#include "fuzz/fuzz_input.h"
#include "polygon/poly_ref.h"

struct PolygonSource {
  FuzzInput& in;
  int maxVertices;
  // Irregular rings, whose pieces can grow by more than a vertex per cut,
  // have up to this many vertices.
  int maxIrregular;
  bool wild;
  std::vector<PolyRef> made = {};  // a handle to every polygon made
  // Whether a ring made so far is not planar and convex by construction.
  bool irregular = false;
  // The largest finite coordinate of any ring made so far.
  double largest = 0.0;

  PolyRef next();
  // A ring of n arbitrary points, n from 1 to 255.
  PolyRef arbitrary(int n);
  // Lets go of every polygon made, each of which must be back to this
  // source's single hold.
  void release();
  PolyRef keep(const std::vector<Point3>& ring);
};

#endif
