#include "bsp/balanced_build.h"
#include "bsp/bsp_node.h"
#include "bsp/bsp_tree.h"
#include "bsp/partition.h"
#include "geometry/tolerance.h"

void BspTree::insert(PolyListRef list, Side keep, Side side) { insertList(*list, keep, side, kEpsilon); }

void BspTree::insert(PolyListRef list, Side keep, Side side, float tolerance) {
  insertList(*list, keep, side, tolerance);
}

void BspTree::insertList(PolyList& list, Side keep, Side side, float tolerance) {
  if (list.isEmpty()) return;
  if (root != nullptr) {
    root->insert(list, keep, tolerance);
    return;
  }
  if (keep != side && keep != Side::Spanning) return;
  if (buildBalanced(*this, list, tolerance)) return;
  const PolyRef founder = popUsable(list);
  if (!founder) return;
  root = new BspNode(founder);
  // Whatever reaches a cell of the new subtree belongs in it.
  root->insert(list, Side::Spanning, tolerance);
}

void BspNode::insert(PolyList& list, Side keep, float tolerance) {
  PolyList backList;
  PolyList frontList;
  partition(list, plane, tolerance, onPlane(*coplanar, frontList), backList, frontList);
  back.insertList(backList, keep, Side::Back, tolerance);
  front.insertList(frontList, keep, Side::Front, tolerance);
}
