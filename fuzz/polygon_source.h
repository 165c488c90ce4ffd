// Polygons for the fuzz checks, made from fuzz input: planar convex rings
// in arbitrary planes, rings sharing the plane of an earlier polygon (either
// way round), the reverse of an earlier ring, and arbitrary point rings that
// are neither planar nor convex. Raw float coordinates come only when wild.
#ifndef KELVANE_FUZZ_POLYGON_SOURCE_H
#define KELVANE_FUZZ_POLYGON_SOURCE_H

#include <vector>

#include "fuzz/fuzz_input.h"
#include "polygon/poly_ref.h"

class PolygonSource {
 public:
  // Rings of up to maxVertices; irregular ones, whose pieces can grow by
  // more than a vertex per cut, of up to maxIrregular.
  PolygonSource(FuzzInput& input, int maxVertices, int maxIrregular, bool wild)
      : in(input), maxVertices(maxVertices), maxIrregular(maxIrregular), wild(wild) {}

  // A new polygon; the source keeps a handle to each polygon it made.
  PolyRef next();
  // A ring of n arbitrary points, n from 1 to 255.
  PolyRef arbitrary(int n);
  const std::vector<PolyRef>& made() const { return polygons; }
  // Whether any ring made so far is not planar and convex by construction,
  // or has raw float coordinates, whose extremes no float computation
  // keeps to a tolerance.
  bool madeIrregular() const { return irregular || wild; }
  // The largest finite coordinate of any ring made so far.
  double scale() const { return largest; }
  // Lets go of every polygon made; their counts must be back to the
  // source's single hold by then.
  void release();

 private:
  PolyRef keep(std::vector<Point3> ring);
  std::vector<Point3> convexRing(const Point3& centre, const Vector3& u, const Vector3& v, int n);
  Vector3 direction();

  FuzzInput& in;
  int maxVertices;
  int maxIrregular;
  bool wild;
  std::vector<PolyRef> polygons;
  bool irregular = false;
  double largest = 0.0;
};

#endif
