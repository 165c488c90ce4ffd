#include "fuzz/tree_invariants.h"

#include "bsp/bsp_node.h"
#include "fuzz/checks.h"

namespace {

// Classifies with the slack: On when no vertex is clearly off the plane.
// NaN counts as on it, as in the system's own classification.
Side looseSide(const Poly& poly, const Plane& plane, double extra) {
  bool front = false, back = false;
  for (int i = 0; i < poly.vertexCount; ++i) {
    const PlaneValue v = planeValue(poly.vertices[i], plane, extra);
    front = front || v.value > v.slack;
    back = back || v.value < -v.slack;
  }
  return front && back ? Side::Spanning : front ? Side::Front : back ? Side::Back : Side::On;
}

// Twice as far as the polygon's vertices lie from its own plane: a long
// thin ring has a plane only as good as its shortest side allows.
double ownSlack(const Poly& poly) {
  double worst = 0.0;
  for (int i = 0; i < poly.vertexCount; ++i) {
    worst = std::fmax(worst, std::fabs(planeValue(poly.vertices[i], poly.plane).value));
  }
  return 2.0 * worst;
}

using Ancestors = std::vector<std::pair<const Plane*, Side>>;  // with the subtree of each the walk is in

std::size_t walk(const BspTree& tree, HolderCensus& census, FounderSlack& founders, const GeometryCheck& geometry,
                 Ancestors& ancestors) {
  if (tree.root == nullptr) return 0;
  const BspNode& node = *tree.root;
  const Plane& p = node.plane;
  // A node is first seen with its founder, whose plane it took, last in its list.
  const PolyNode* last = node.coplanar->head;
  while (last != nullptr && last->next != nullptr) last = last->next;
  const double slack = founders.emplace(&node, last != nullptr ? ownSlack(*last->poly) : 0.0).first->second;
  // The planes are normalised: their sum overflows only when a term does.
  require(std::isfinite(p.x + p.y + p.z + p.w) && (p.x != 0.0f || p.y != 0.0f || p.z != 0.0f),
          "a node's plane is not usable");
  for (const PolyNode* n = node.coplanar->head; n != nullptr; n = n->next) {
    const CountedPoly& poly = *n->poly;
    require(!poly.isDegenerate(), "a polygon without a plane is held by the tree");
    require(++census[&poly] == 1, "a polygon is held twice by the tree");
    if (!geometry.enabled) continue;
    require(looseSide(poly, p, geometry.rounding + slack) == Side::On,
            "a polygon in a node's list does not lie in the node's plane");
    for (const auto& [plane, side] : ancestors) {
      const Side s = looseSide(poly, *plane, geometry.rounding);
      require(s == Side::On || s == side, "a polygon lies on the wrong side of an ancestor's plane");
    }
  }
  ancestors.emplace_back(&p, Side::Back);
  std::size_t nodes = 1 + walk(node.back, census, founders, geometry, ancestors);
  ancestors.back().second = Side::Front;
  nodes += walk(node.front, census, founders, geometry, ancestors);
  ancestors.pop_back();
  return nodes;
}

}  // namespace

void countHolders(const PolyList& list, HolderCensus& census) {
  for (const PolyNode* n = list.head; n != nullptr; n = n->next) ++census[n->poly.get()];
}

std::size_t checkTree(const BspTree& tree, HolderCensus& census, FounderSlack& founders,
                      const GeometryCheck& geometry) {
  Ancestors ancestors;
  return walk(tree, census, founders, geometry, ancestors);
}

void requireCounts(HolderCensus census, const std::vector<PolyRef>& kept) {
  for (const PolyRef& p : kept) ++census[p.get()];
  for (const auto& [poly, holders] : census) {
    require(poly->refCount == holders, "a polygon's reference count does not match the handles that hold it");
  }
}

void requireKeptPlacement(const BspTree& tree, const Poly& poly, Side keep, Side side, const GeometryCheck& geometry) {
  if (!geometry.enabled) return;
  for (const BspTree* at = &tree; at->root != nullptr;) {
    const Side s = looseSide(poly, at->root->plane, geometry.rounding);
    if (s == Side::On) return;
    require(s != Side::Spanning, "a filtered piece crosses a node's plane");
    side = s;
    at = s == Side::Back ? &at->root->back : &at->root->front;
  }
  require(keep == side, "a filtered piece ended in a cell that keep does not select");
}
