// A BSP tree: each node holds a plane, the polygons lying in it, and the
// subtrees behind and in front of it. The empty subtrees are the cells; for
// closed surfaces with outward-facing planes an empty back subtree is inside
// the solid and an empty front subtree outside it.
//
// Trees are built and combined by insertion with a keep code: a piece that
// reaches a cell founds a subtree there when the cell keeps it and is
// dropped otherwise. Filtering sends polygons down without changing the
// tree; reduce trims each node's polygons to where solid meets empty space.
//
// Every operation is safe on an empty tree. Polygons without a plane
// (Poly::isDegenerate) are dropped wherever a tree operation meets them, so
// that no node is ever founded on one. Below the public entry points the
// recursion passes lists and handles by reference: taking a count per level
// would make the 8-bit counts a limit on the depth of the tree. The lists a
// node sorts into live on its stack frame, as nothing outlives the call.
#ifndef KELVANE_BSP_BSP_TREE_H
#define KELVANE_BSP_BSP_TREE_H

#include "bsp/side.h"
#include "geometry/vector.h"
#include "polygon/poly_list_ref.h"
#include "polygon/poly_ref.h"

class BspNode;

class BspTree {
 public:
  BspNode* root = nullptr;

  BspTree() = default;
  // Frees every node and releases every list the tree holds.
  ~BspTree();
  BspTree(const BspTree&) = delete;
  BspTree& operator=(const BspTree&) = delete;

  bool isEmpty() const { return root == nullptr; }

  // Pushes every polygon of list into the tree, consuming the list. side is
  // the cell this tree is; an empty tree is founded by the list's head when
  // keep is side or Spanning, and otherwise leaves the list untouched.
  void insert(PolyListRef list, Side keep, Side side);
  // The same with tolerance in place of kEpsilon, for models whose size
  // calls for another (csg.h).
  void insert(PolyListRef list, Side keep, Side side, float tolerance);

  // Adds to result the pieces of poly that end in cells selected by keep; a
  // piece lying in a node's plane is added as soon as it meets it. An empty
  // tree keeps poly only when keep equals side.
  void pushPoly(PolyRef poly, PolyListRef result, Side keep, Side side) const;
  // The same for every polygon of list, which is consumed unless an empty
  // tree discards it whole.
  void pushList(PolyListRef list, PolyListRef result, Side keep, Side side) const;

  // Trims every node's coplanar polygons to the parts with solid behind and
  // empty space in front, as the node's own two subtrees tell.
  void reduce();

  // Hands every polygon to drawPoly, farthest from eye first.
  void draw(const Point3& eye) const;

 private:
  friend class BspNode;
  void insertList(PolyList& list, Side keep, Side side, float tolerance);
  void filterPoly(const PolyRef& poly, PolyList& result, Side keep, Side side, float tolerance) const;
  void filterList(PolyList& list, PolyList& result, Side keep, Side side, float tolerance) const;
};

#endif
