#ifndef KELVANE_POLYGON_POLY_REF_H
#define KELVANE_POLYGON_POLY_REF_H

#include "geometry/vector.h"
#include "polygon/counted_poly.h"
#include "polygon/counted_ref.h"

// A counted handle to a CountedPoly, one pointer wide, passed by value. An
// empty handle holds nothing.
class PolyRef : public CountedRef<CountedPoly> {
 public:
  PolyRef() = default;
  // A new polygon from an index list: count int indices into points follow
  // count, e.g. PolyRef(corners, 4, 0, 1, 2, 3). count must lie in 1 to 255.
  PolyRef(const Point3* points, int count, ...);
  PolyRef(const PolyRef& other) = default;
  // Leaves other empty, and no count changes: a tree build moves handles
  // from vector to vector by the thousand.
  PolyRef(PolyRef&& other) noexcept = default;

  PolyRef& operator=(const PolyRef& other) {
    reset(other.get());
    return *this;
  }
  // Takes over a freshly made polygon, or empties the handle when null.
  PolyRef& operator=(CountedPoly* poly) {
    reset(poly);
    return *this;
  }
};

#endif
