#include "bsp/balanced_build.h"
#include "bsp/bsp_node.h"
#include "bsp/bsp_tree.h"
#include "bsp/partition.h"

void BspTree::insert(PolyListRef list, Side keep, Side side) { insertList(*list, keep, side); }

bool BspTree::insertList(PolyList& list, Side keep, Side side) {
  if (list.isEmpty()) return false;
  if (root != nullptr) return root->insert(list, keep);
  if (keep != side && keep != Side::Spanning) return false;
  if (buildBalanced(*this, list)) return true;
  const PolyRef founder = popUsable(list);
  if (!founder) return false;
  root = new BspNode(founder);
  // Whatever reaches a cell of the new subtree belongs in it.
  root->insert(list, Side::Spanning);
  return true;
}

bool BspNode::insert(PolyList& list, Side keep) {
  PolyList backList;
  PolyList frontList;
  const PolyNode* const oldHead = coplanar->head;
  partition(list, plane, onPlane(*coplanar, frontList), backList, frontList);
  const bool foundedBehind = back.insertList(backList, keep, Side::Back);
  const bool foundedInFront = front.insertList(frontList, keep, Side::Front);
  const bool founded = foundedBehind || foundedInFront;
  noteInsertion(founded, coplanar->head != oldHead);
  return founded;
}
