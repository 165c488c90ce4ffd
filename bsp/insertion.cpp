// A subtree founded in an empty cell takes every polygon that reaches it:
// the list's head founds it and the rest are sorted by the founder's plane,
// level by level. That founding works on one shared stack of handles in
// place of a list per level: a level's list is the run from where it starts
// to the top of the stack, head on top, and a polygon added to a list is
// pushed, so that the order, and with it the tree, is the one the lists
// would give. The front pieces wait on a second stack while the back
// subtree is founded; each level leaves both stacks as it found them. No
// list node is made or freed, and no list's box grown, per level: much of
// the work of the small subtrees the CSG founds by the hundred.
#include <cstddef>
#include <vector>

#include "bsp/balanced_build.h"
#include "bsp/bsp_node.h"
#include "bsp/bsp_tree.h"
#include "bsp/founding.h"
#include "bsp/partition.h"
#include "geometry/tolerance.h"

namespace {

struct FoundingStacks {
  std::vector<PolyRef> lists;
  std::vector<PolyRef> fronts;
};

// Shared by every founding, as the cutter's scratch is: the stacks keep
// their capacity, so that founding allocates nothing once they have grown.
// Each founding leaves them as it found them, and none starts another but
// on top of them.
FoundingStacks& foundingStacks() {
  static FoundingStacks stacks;
  return stacks;
}

PolyRef popUsable(std::vector<PolyRef>& stack, std::size_t from) {
  while (stack.size() > from) {
    PolyRef p = std::move(stack.back());
    stack.pop_back();
    if (!p->isDegenerate()) return p;
  }
  return PolyRef();
}

// Founds the empty tree with the list stack.lists[from ..] and consumes it.
void found(BspTree& tree, FoundingStacks& stacks, std::size_t from, float tolerance) {
  std::vector<PolyRef>& lists = stacks.lists;
  if (lists.size() - from > static_cast<std::size_t>(kFounderFirstLimit)) {
    PolyList list;
    for (std::size_t i = from; i < lists.size(); ++i) list.add(lists[i]);
    lists.resize(from);
    buildBalanced(tree, list, tolerance);
    return;
  }
  const PolyRef founder = popUsable(lists, from);
  if (!founder) return;
  BspNode& node = *(tree.root = new BspNode(founder));
  const std::size_t end = lists.size();
  const std::size_t frontsFrom = stacks.fronts.size();
  for (std::size_t i = end; i-- > from;) {
    const PolyRef p = std::move(lists[i]);
    if (p->isDegenerate()) continue;
    visitPieces(p, node.plane, tolerance, [&](Side side, const PolyRef& piece) {
      if (side == Side::On) {
        node.coplanar->add(piece);
      } else {
        (side == Side::Back ? lists : stacks.fronts).push_back(piece);
      }
    });
  }
  lists.erase(lists.begin() + static_cast<std::ptrdiff_t>(from), lists.begin() + static_cast<std::ptrdiff_t>(end));
  if (lists.size() > from) found(node.back, stacks, from, tolerance);
  for (std::size_t i = frontsFrom; i < stacks.fronts.size(); ++i) lists.push_back(std::move(stacks.fronts[i]));
  stacks.fronts.resize(frontsFrom);
  if (lists.size() > from) found(node.front, stacks, from, tolerance);
}

}  // namespace

void foundTree(BspTree& tree, std::vector<PolyRef>& list, float tolerance) {
  if (list.empty()) return;
  FoundingStacks& stacks = foundingStacks();
  const std::size_t from = stacks.lists.size();
  for (PolyRef& p : list) stacks.lists.push_back(std::move(p));
  list.clear();
  found(tree, stacks, from, tolerance);
}

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
  FoundingStacks& stacks = foundingStacks();
  const std::size_t from = stacks.lists.size();
  // Head on top: the list is pushed tail first.
  std::size_t count = 0;
  for (const PolyNode* p = list.head; p != nullptr; p = p->next) ++count;
  stacks.lists.resize(from + count);
  for (std::size_t i = from + count; i-- > from;) stacks.lists[i] = list.pop();
  found(*this, stacks, from, tolerance);
}

void BspNode::insert(PolyList& list, Side keep, float tolerance) {
  PolyList backList;
  PolyList frontList;
  partition(list, plane, tolerance, onPlane(*coplanar, frontList), backList, frontList);
  back.insertList(backList, keep, Side::Back, tolerance);
  front.insertList(frontList, keep, Side::Front, tolerance);
}
