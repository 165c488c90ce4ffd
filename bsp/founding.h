#ifndef KELVANE_BSP_FOUNDING_H
#define KELVANE_BSP_FOUNDING_H

#include <vector>

#include "bsp/bsp_tree.h"
#include "polygon/poly_ref.h"

// Founds the empty tree with list as insert founds an empty tree with a
// list whose head is list.back() and whose tail is list.front(): for a
// caller that gathers polygons in a vector, which costs no list node and no
// box per polygon. list ends empty.
void foundTree(BspTree& tree, std::vector<PolyRef>& list, float tolerance);

#endif
