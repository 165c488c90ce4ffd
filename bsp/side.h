#ifndef KELVANE_BSP_SIDE_H
#define KELVANE_BSP_SIDE_H

// Where a polygon lies against a plane, and, as a keep or side argument of
// the tree operations, which cells are meant: Back and Front name the
// subtree behind or in front of a node, Spanning names both (keep
// everything) or a tree that is neither subtree of anything.
enum class Side : int { Back = -1, On = 0, Front = 1, Spanning = 2 };

#endif
