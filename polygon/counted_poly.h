#ifndef KELVANE_POLYGON_COUNTED_POLY_H
#define KELVANE_POLYGON_COUNTED_POLY_H

#include <cstdint>

#include "polygon/poly.h"
#include "polygon/pooled.h"

// The only polygon that is ever created: a Poly with the intrusive count of
// the PolyRef handles that hold it. Only those handles change refCount.
// Pooled: splitting makes and drops polygons all the time, and with its
// ring inside (poly.h) a polygon is one block of one size.
class CountedPoly : public Poly, public Pooled<CountedPoly> {
 public:
  using Poly::Poly;

  std::uint8_t refCount = 0;
};

#endif
