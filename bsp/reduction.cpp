// Reduction keeps, of each polygon lying in a node's plane, the part that
// has solid behind the plane and empty space in front of it, as the node's
// own two subtrees tell: the part that ends in back cells of `back` and in
// front cells of `front`. The two filters commute in exact arithmetic, so
// which subtree cuts first only changes the pieces; the polygon's facing
// picks the order. Facing is read from the plane constants alone: planes of
// the same facing have equal constants, opposite ones opposite constants.
#include <cmath>

#include "bsp/bsp_node.h"
#include "bsp/bsp_tree.h"
#include "geometry/tolerance.h"

void BspTree::reduce() {
  if (root != nullptr) root->reduce();
}

void BspNode::reduce() {
  PolyList passList;
  PolyListRef keptList;
  while (const PolyRef p = coplanar->pop()) {
    const float e = static_cast<float>(std::fabs(double(p->plane.w) + plane.w));
    const bool sameFacing = e > kEpsilon;
    const BspTree& first = sameFacing ? back : front;
    const BspTree& second = sameFacing ? front : back;
    const Side firstKeep = sameFacing ? Side::Back : Side::Front;
    const Side secondKeep = sameFacing ? Side::Front : Side::Back;
    first.filterPoly(p, passList, firstKeep, firstKeep, kEpsilon);
    second.filterList(passList, *keptList, secondKeep, secondKeep, kEpsilon);
  }
  coplanar = keptList;
  back.reduce();
  front.reduce();
}
