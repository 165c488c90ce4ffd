#ifndef KELVANE_BSP_DRAW_HOOK_H
#define KELVANE_BSP_DRAW_HOOK_H

#include "polygon/poly_ref.h"

// Where the back-to-front traversal sends each polygon. The core only
// declares it; the program that draws defines it (the display layer, or a
// test that records the order). The handle is a copy, released on return.
void drawPoly(PolyRef polyRef);

class PolyList;

// Hands a copy of each handle of `list`, head first, to drawPoly.
void drawAll(const PolyList& list);

#endif
