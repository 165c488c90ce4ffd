#include "bsp/balanced_build.h"
#include "bsp/bsp_node.h"
#include "bsp/bsp_tree.h"
#include "bsp/partition.h"

void BspTree::insert(PolyListRef list, Side keep, Side side) { insertList(*list, keep, side); }

void BspTree::insertList(PolyList& list, Side keep, Side side) {
  if (list.isEmpty()) return;
  if (root != nullptr) {
    root->insert(list, keep);
    return;
  }
  if (keep != side && keep != Side::Spanning) return;
  if (buildBalanced(*this, list)) return;
  const PolyRef founder = popUsable(list);
  if (!founder) return;
  root = new BspNode(founder);
  // Whatever reaches a cell of the new subtree belongs in it.
  root->insert(list, Side::Spanning);
}

void BspNode::insert(PolyList& list, Side keep) {
  PolyList backList;
  PolyList frontList;
  partition(list, plane, onPlane(*coplanar, frontList), backList, frontList);
  back.insertList(backList, keep, Side::Back);
  front.insertList(frontList, keep, Side::Front);
}
