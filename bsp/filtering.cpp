#include "bsp/bsp_node.h"
#include "bsp/bsp_tree.h"
#include "bsp/partition.h"
#include "geometry/tolerance.h"

void BspTree::pushPoly(PolyRef poly, PolyListRef result, Side keep, Side side) const {
  filterPoly(poly, *result, keep, side, kEpsilon);
}

void BspTree::pushList(PolyListRef list, PolyListRef result, Side keep, Side side) const {
  filterList(*list, *result, keep, side, kEpsilon);
}

void BspTree::filterPoly(const PolyRef& poly, PolyList& result, Side keep, Side side, float tolerance) const {
  if (poly->isDegenerate()) return;
  if (root != nullptr) {
    root->pushPoly(poly, result, keep, tolerance);
  } else if (keep == side) {
    result.add(poly);
  }
}

void BspTree::filterList(PolyList& list, PolyList& result, Side keep, Side side, float tolerance) const {
  if (list.isEmpty()) return;
  if (root != nullptr) {
    root->pushList(list, result, keep, tolerance);
  } else if (keep == side) {
    while (const PolyRef p = popUsable(list)) result.add(p);
  }
}

// Depth first: each piece goes all the way down right after its cut.
void BspNode::pushPoly(const PolyRef& poly, PolyList& result, Side keep, float tolerance) const {
  visitPieces(poly, plane, tolerance, [&](Side side, const PolyRef& piece) {
    if (side == Side::On && !balancing) {
      result.add(piece);
      return;
    }
    const Side to = side == Side::On ? Side::Front : side;
    (to == Side::Back ? back : front).filterPoly(piece, result, keep, to, tolerance);
  });
}

// The whole list is sorted at this node before either side is visited.
void BspNode::pushList(PolyList& list, PolyList& result, Side keep, float tolerance) const {
  PolyList backList;
  PolyList frontList;
  partition(list, plane, tolerance, onPlane(result, frontList), backList, frontList);
  back.filterList(backList, result, keep, Side::Back, tolerance);
  front.filterList(frontList, result, keep, Side::Front, tolerance);
}
