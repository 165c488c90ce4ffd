#ifndef KELVANE_BSP_PARTITION_H
#define KELVANE_BSP_PARTITION_H

#include "bsp/side.h"
#include "bsp/split.h"
#include "polygon/plane.h"
#include "polygon/poly_list.h"

// Splits poly by plane within tolerance and hands what comes out to
// visit(side, piece): poly itself with On, Back or Front, or for a crossing
// polygon its back piece (Back, in one or more parts) and then its front
// piece (Front), each only when make says so for its side.
template <class Visit>
void visitPieces(const PolyRef& poly, const Plane& plane, float tolerance, Visit visit, bool makeBack = true,
                 bool makeFront = true) {
  std::optional<SplitParts> parts;
  const Side side = splitPolyWithin(poly, plane, tolerance, parts, makeBack, makeFront);
  if (side != Side::Spanning) {
    // A whole polygon goes on as the caller's handle: holding one more count
    // per level would pass the 8-bit limit in a tree deeper than 254 nodes.
    visit(side, poly);
    return;
  }
  for (const PolyRef& part : parts->back) {
    if (part) visit(Side::Back, part);
  }
  for (const PolyRef& part : parts->front) {
    if (part) visit(Side::Front, part);
  }
}

// Pops list's head, dropping polygons without a plane on the way; an empty
// handle once nothing usable is left.
PolyRef popUsable(PolyList& list);

// Empties list, head first, into on, back and front by visitPieces.
void partition(PolyList& list, const Plane& plane, float tolerance, PolyList& on, PolyList& back, PolyList& front);

#endif
