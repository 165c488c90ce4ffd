// An axis-aligned box in double, grown by polygons, for the CSG code's
// quick tests: which faces can meet the other solid, which cells can lie
// inside it, and how large the model is.
#ifndef KELVANE_BSP_BOUNDS_H
#define KELVANE_BSP_BOUNDS_H

#include "polygon/plane.h"
#include "polygon/poly.h"
#include "polygon/poly_list.h"

struct Bounds {
  double min[3];
  double max[3];

  Bounds();
  bool isEmpty() const { return !(min[0] <= max[0]); }
  void grow(const Poly& poly);
  void grow(const PolyList& list);
  void grow(const Bounds& other);
  // Whether the boxes overlap once this one is widened by margin.
  bool meets(const Bounds& other, double margin) const;
  // A box holding the part of this one on side (Back or Front) of plane,
  // widened by margin; empty when no corner lies there.
  Bounds clippedTo(const Plane& plane, bool back, double margin) const;
  double largestCoordinate() const;
  double extent() const;
};

// Within this distance of a plane the CSG counts a point of these solids as
// on it: a few units in the last place of the largest coordinate, or a
// small fraction of the extent, whichever is larger; kEpsilon for no solid.
float toleranceFor(const Bounds& solids);

#endif
