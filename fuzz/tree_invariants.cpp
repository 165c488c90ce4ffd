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

double roundingOf(const GeometryCheck& geometry) { return geometry.scale * 1e-6; }

void requireSide(const Poly& poly, const Plane& plane, Side side, const GeometryCheck& geometry, double extra = 0.0) {
  for (int i = 0; i < poly.vertexCount; ++i) {
    const PlaneValue v = planeValue(poly.vertices[i], plane, roundingOf(geometry) + extra);
    if (side == Side::Back) require(notInFront(v), "a polygon in a back subtree lies in front of its ancestor");
    if (side == Side::Front) require(notBehind(v), "a polygon in a front subtree lies behind its ancestor");
    if (side == Side::On) {
      require(notInFront(v) && notBehind(v), "a polygon in a node's list does not lie in the node's plane");
    }
  }
}

// How far a polygon's own vertices lie from its own plane. A long thin ring,
// or one with next to no area, has a plane only as good as its shortest
// side allows, and no tree can put it closer to a node's plane than that.
double selfDeviation(const Poly& poly) {
  double worst = 0.0;
  for (int i = 0; i < poly.vertexCount; ++i) {
    worst = std::fmax(worst, std::fabs(planeValue(poly.vertices[i], poly.plane).value));
  }
  return worst;
}

// A ring whose area is within float rounding of none. The system takes its
// plane from the rounding noise of Newell's sums (reported as a fault of the
// core), so neither it nor its pieces need lie in the plane it founds.
bool isSliver(const Poly& poly) {
  double n[3] = {0.0, 0.0, 0.0};
  double size = 0.0;
  for (int i = 0; i < poly.vertexCount; ++i) {
    const Point3& u = poly.vertices[(i + poly.vertexCount - 1) % poly.vertexCount];
    const Point3& v = poly.vertices[i];
    const double terms[3] = {(double(u.z) + v.z) * (double(u.y) - v.y), (double(u.x) + v.x) * (double(u.z) - v.z),
                             (double(u.y) + v.y) * (double(u.x) - v.x)};
    for (int k = 0; k < 3; ++k) {
      n[k] += terms[k];
      size += std::fabs(terms[k]);
    }
  }
  return std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]) <= 0x1p-20 * size;
}

// Classifies with the slack: On when no vertex is clearly off the plane.
Side looseSide(const Poly& poly, const Plane& plane, const GeometryCheck& geometry) {
  bool front = false;
  bool back = false;
  for (int i = 0; i < poly.vertexCount; ++i) {
    const PlaneValue v = planeValue(poly.vertices[i], plane, roundingOf(geometry));
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

std::size_t checkTree(const BspTree& tree, HolderCensus& census, const GeometryCheck& geometry) {
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
      if (!geometry.enabled) continue;
      if (!isSliver(poly)) requireSide(poly, node.plane, Side::On, geometry, 2.0 * selfDeviation(poly));
      for (const Ancestor& a : path) requireSide(poly, *a.plane, a.side, geometry);
    }
    if (node.front.root != nullptr) pending.push_back({node.front.root, at.depth + 1, {&node.plane, Side::Front}});
    if (node.back.root != nullptr) pending.push_back({node.back.root, at.depth + 1, {&node.plane, Side::Back}});
  }
  for (const auto& [poly, holders] : own) census[poly] += holders;
  return nodes;
}

void requireKeptPlacement(const BspTree& tree, const Poly& poly, Side keep, Side side, const GeometryCheck& geometry) {
  if (!geometry.enabled) return;
  const BspTree* at = &tree;
  Side cell = side;
  while (at->root != nullptr) {
    const Side s = looseSide(poly, at->root->plane, geometry);
    if (s == Side::On) return;
    require(s != Side::Spanning, "a filtered piece crosses a node's plane");
    cell = s;
    at = s == Side::Back ? &at->root->back : &at->root->front;
  }
  require(keep == cell, "a filtered piece ended in a cell that keep does not select");
}
