#ifndef KELVANE_BSP_PARTITION_H
#define KELVANE_BSP_PARTITION_H

#include "polygon/plane.h"
#include "polygon/poly_list.h"

// Pops list's head, dropping polygons without a plane on the way; an empty
// handle once nothing usable is left.
PolyRef popUsable(PolyList& list);

// Empties list, head first, by splitPoly against plane: polygons in the
// plane go to on, the rest to back and front, a crossing polygon's back
// piece before its front piece.
void partition(PolyList& list, const Plane& plane, PolyList& on, PolyList& back, PolyList& front);

#endif
