// Stand-in for the CSG operations until the sound ones land: the same
// interface over the plain insertion and clean-up.
#ifndef KELVANE_BSP_CSG_H
#define KELVANE_BSP_CSG_H

#include "bsp/bsp_tree.h"
#include "polygon/poly_list_ref.h"

enum class CsgOperation { Union, Difference, Intersection };

void combine(BspTree& tree, PolyListRef operand, CsgOperation operation);
PolyListRef solidPolygons(const BspTree& tree);

#endif
