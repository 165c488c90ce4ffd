#include "fuzz/tree_invariants.h"

#include <cmath>
#include <utility>
#include <vector>

#include "bsp/bsp_node.h"
#include "fuzz/invariant.h"
#include "fuzz/plane_slack.h"

namespace {

bool usable(const Plane& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z) && std::isfinite(p.w) &&
         (p.x != 0.0f || p.y != 0.0f || p.z != 0.0f);
}

struct Ancestor {
  const Plane* plane;
  Side side;  // the subtree of that ancestor the present node is in
};

void requireSide(const Poly& poly, const Plane& plane, Side side) {
  for (int i = 0; i < poly.vertexCount; ++i) {
    const PlaneValue v = planeValue(poly.vertices[i], plane);
    if (side == Side::Back) require(notInFront(v), "a polygon in a back subtree lies in front of its ancestor");
    if (side == Side::Front) require(notBehind(v), "a polygon in a front subtree lies behind its ancestor");
    if (side == Side::On) {
      require(notInFront(v) && notBehind(v), "a polygon in a node's list does not lie in the node's plane");
    }
  }
}

// Classifies with the slack: On when no vertex is clearly off the plane.
Side looseSide(const Poly& poly, const Plane& plane) {
  bool front = false;
  bool back = false;
  for (int i = 0; i < poly.vertexCount; ++i) {
    const PlaneValue v = planeValue(poly.vertices[i], plane);
    front = front || v.value > v.slack;
    back = back || v.value < -v.slack;
  }
  if (front && back) return Side::Spanning;
  return front ? Side::Front : back ? Side::Back : Side::On;
}

}  // namespace

void countHolders(const PolyList& list, HolderCensus& census) {
  for (const PolyNode* n = list.head; n != nullptr; n = n->next) ++census[n->poly.get()];
}

std::size_t checkTree(const BspTree& tree, HolderCensus& census) {
  struct Pending {
    const BspNode* node;
    std::size_t depth;  // ancestors above it
    Ancestor parent;
  };
  HolderCensus own;
  std::size_t nodes = 0;
  std::vector<Ancestor> path;
  std::vector<Pending> pending;
  if (tree.root != nullptr) pending.push_back({tree.root, 0, {nullptr, Side::On}});
  while (!pending.empty()) {
    const Pending at = pending.back();
    pending.pop_back();
    path.resize(at.depth);
    if (at.depth > 0) path.back() = at.parent;
    const BspNode& node = *at.node;
    ++nodes;
    require(usable(node.plane), "a node's plane is not usable");
    for (const PolyNode* n = node.coplanar->head; n != nullptr; n = n->next) {
      const CountedPoly& poly = *n->poly;
      require(!poly.isDegenerate(), "a polygon without a plane is held by the tree");
      require(++own[&poly] == 1, "a polygon is held twice by the tree");
      requireSide(poly, node.plane, Side::On);
      for (const Ancestor& a : path) requireSide(poly, *a.plane, a.side);
    }
    if (node.front.root != nullptr) pending.push_back({node.front.root, at.depth + 1, {&node.plane, Side::Front}});
    if (node.back.root != nullptr) pending.push_back({node.back.root, at.depth + 1, {&node.plane, Side::Back}});
  }
  for (const auto& [poly, holders] : own) census[poly] += holders;
  return nodes;
}

void requireKeptPlacement(const BspTree& tree, const Poly& poly, Side keep, Side side) {
  const BspTree* at = &tree;
  Side cell = side;
  while (at->root != nullptr) {
    const Side s = looseSide(poly, at->root->plane);
    if (s == Side::On) return;
    require(s != Side::Spanning, "a filtered piece crosses a node's plane");
    cell = s;
    at = s == Side::Back ? &at->root->back : &at->root->front;
  }
  require(keep == cell, "a filtered piece ended in a cell that keep does not select");
}
