#ifndef KELVANE_BSP_SPLIT_H
#define KELVANE_BSP_SPLIT_H

#include "bsp/side.h"
#include "polygon/plane.h"
#include "polygon/poly_ref.h"

// Points each scratch array of splitPoly holds: convex polygons of up to 63
// vertices split without touching the heap.
constexpr int kSplitCapacity = 64;

// Classifies poly against plane with the tolerance kEpsilon and, for a
// polygon that crosses it, cuts it in two. Back or Front: that out-handle
// gets poly itself. Spanning: front gets a new polygon of the front piece,
// then back one of the back piece, both in poly's winding. On: neither. The
// handle the result does not name keeps what it held. Not re-entrant.
Side splitPoly(const PolyRef& poly, const Plane& plane, PolyRef& back, PolyRef& front);

#endif
