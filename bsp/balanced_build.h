#ifndef KELVANE_BSP_BALANCED_BUILD_H
#define KELVANE_BSP_BALANCED_BUILD_H

#include "bsp/bsp_tree.h"
#include "polygon/poly_list.h"

// Lists of up to this many polygons found their subtree founder first, in
// list order, as every tree of the built-in scene is founded.
constexpr int kFounderFirstLimit = 32;

// When list holds more than kFounderFirstLimit polygons, builds all of them
// into the empty tree with balancing planes, consumes the list and returns
// true; otherwise touches neither and returns false.
// Pieces are cut with the tree's tolerance.
bool buildBalanced(BspTree& tree, PolyList& list, float tolerance);

#endif
