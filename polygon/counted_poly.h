#ifndef KELVANE_POLYGON_COUNTED_POLY_H
#define KELVANE_POLYGON_COUNTED_POLY_H

#include <cstdint>

#include "polygon/poly.h"

// The only polygon that is ever created: a Poly with the intrusive count of
// the PolyRef handles that hold it. Only those handles change refCount.
class CountedPoly : public Poly {
 public:
  using Poly::Poly;

  std::uint8_t refCount = 0;
};

#endif
