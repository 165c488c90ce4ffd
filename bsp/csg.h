// Boolean operations on solids held in BSP trees. A tree holds a solid when
// its polygons are the solid's boundary, outward-facing, and its back cells
// are the solid's inside; an empty tree holds the empty solid.
#ifndef KELVANE_BSP_CSG_H
#define KELVANE_BSP_CSG_H

#include "bsp/bsp_tree.h"
#include "polygon/poly_list_ref.h"

enum class CsgOperation { Union, Difference, Intersection };

// Replaces the solid held by tree with (tree OP operand); operand is a closed
// solid's polygons, outward-facing rings, and is consumed. An empty tree is
// the empty solid.
void combine(BspTree& tree, PolyListRef operand, CsgOperation operation);

// The boundary polygons of the solid a tree holds, each once, as a new list:
// the whole faces combine kept, or for a tree built otherwise its nodes'
// polygons (node pre-order, back before front, each list head first).
PolyListRef solidPolygons(const BspTree& tree);

#endif
