// A subtree founded polygon by polygon in list order is as deep as its
// polygons are many when they bound a convex solid: each face has all the
// others behind it, so the tree is a chain, every later polygon walks the
// whole of it, and an operation costs the square of the polygon count.
//
// What the fast boolean engines do about it, and what is taken here:
// - Manifold finds the few edge-face pairs that cross with a bounding volume
//   hierarchy over Morton-sorted faces (its collider) and decides the rest
//   by winding numbers. It needs a connected mesh and yields no tree; this
//   system draws and combines through the tree itself.
// - Naylor, Amanatides and Thibault merge two trees node against node. That
//   is a second engine beside insertion with keep codes, and it is only as
//   fast as the trees it merges are shallow.
// - Campen and Kobbelt (2010) localise the work: an adaptive octree isolates
//   the few cells where the surfaces meet, and only inside those is the
//   geometry turned into a BSP.
// The last idea fits one tree, so it is the one taken: the upper levels of a
// large subtree are axis-aligned planes through the median of its polygons'
// middles, octree cells in all but name, and below kFounderFirstLimit
// polygons the subtree is founded polygon first as before. A polygon pushed
// through later passes O(log n) such planes to the faces near it, which is
// where the collider's gain comes from as well, and the result is still a
// BSP that draws back to front and takes further operations.
//
// A balancing plane carries no polygon and gets a non-empty subtree on each
// side. Every empty cell then still hangs under a node founded by a polygon
// on the cell's boundary, whose facing tells inside from outside, exactly
// as in a tree built polygon first.
#include "bsp/balanced_build.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "bsp/bsp_node.h"
#include "bsp/partition.h"
#include "geometry/tolerance.h"

namespace {

using Polys = std::vector<PolyRef>;

// Balancing stops at this depth whatever is left: a cell whose polygons all
// cross every median plane would otherwise never shrink.
constexpr int kMaxBalancingDepth = 48;

bool longerThan(const PolyList& list, int count) {
  for (const PolyNode* p = list.head; p != nullptr; p = p->next) {
    if (--count < 0) return true;
  }
  return false;
}

float along(const Point3& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }

// The middle of the polygon's extent on each axis.
Point3 middleOf(const Poly& poly) {
  Point3 lo = poly.vertices[0];
  Point3 hi = lo;
  for (int i = 1; i < poly.vertexCount; ++i) {
    const Point3& v = poly.vertices[i];
    lo.set(std::min(lo.x, v.x), std::min(lo.y, v.y), std::min(lo.z, v.z), 1.0f);
    hi.set(std::max(hi.x, v.x), std::max(hi.y, v.y), std::max(hi.z, v.z), 1.0f);
  }
  const auto mid = [](float a, float b) { return static_cast<float>((double(a) + b) / 2.0); };
  return Point3(mid(lo.x, hi.x), mid(lo.y, hi.y), mid(lo.z, hi.z), 1.0f);
}

// The plane across the axis on which the polygons' middles spread most,
// through their median there; false when they do not spread at all.
bool medianPlane(const Polys& polys, Plane& plane) {
  std::vector<Point3> middles;
  middles.reserve(polys.size());
  for (const PolyRef& p : polys) middles.push_back(middleOf(*p));
  int axis = 0;
  float widest = 0.0f;
  for (int a = 0; a < 3; ++a) {
    const auto [lo, hi] = std::minmax_element(middles.begin(), middles.end(),
                                              [a](const Point3& l, const Point3& r) { return along(l, a) < along(r, a); });
    const float spread = static_cast<float>(double(along(*hi, a)) - along(*lo, a));
    if (spread > widest) {
      widest = spread;
      axis = a;
    }
  }
  if (!(widest > kEpsilon)) return false;
  std::vector<float> values;
  values.reserve(middles.size());
  for (const Point3& m : middles) values.push_back(along(m, axis));
  const auto median = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), median, values.end());
  plane.set(axis == 0 ? 1.0f : 0.0f, axis == 1 ? 1.0f : 0.0f, axis == 2 ? 1.0f : 0.0f, -*median);
  return true;
}

struct Sorted {
  Polys on;
  Polys back;
  Polys front;
};

// Cuts every polygon by plane; pieces too thin to have a plane are dropped,
// as every tree operation drops them.
Sorted sortByPlane(const Polys& polys, const Plane& plane) {
  Sorted s;
  for (const PolyRef& poly : polys) {
    visitPieces(poly, plane, [&s](Side side, const PolyRef& piece) {
      if (piece->isDegenerate()) return;
      (side == Side::On ? s.on : side == Side::Back ? s.back : s.front).push_back(piece);
    });
  }
  return s;
}

void foundInOrder(BspTree& tree, const Polys& polys) {
  PolyList rest;
  for (std::size_t i = polys.size(); i-- > 1;) rest.add(polys[i]);
  tree.root = new BspNode(polys.front());
  tree.root->insert(rest, Side::Spanning);
}

void build(BspTree& tree, Polys&& polys, int depth);

void buildSides(BspNode& node, Sorted& sorted, int depth) {
  for (const PolyRef& p : sorted.on) node.coplanar->add(p);
  sorted.on.clear();
  if (!sorted.back.empty()) build(node.back, std::move(sorted.back), depth + 1);
  if (!sorted.front.empty()) build(node.front, std::move(sorted.front), depth + 1);
}

// Takes polys over, so that no level below holds a handle on what this
// level has already cut: handles are counted in 8 bits.
void build(BspTree& tree, Polys&& polys, int depth) {
  Plane plane;
  if (polys.size() <= static_cast<std::size_t>(kFounderFirstLimit) || depth >= kMaxBalancingDepth ||
      !medianPlane(polys, plane)) {
    foundInOrder(tree, polys);
    return;
  }
  Sorted sorted = sortByPlane(polys, plane);
  const bool shrinks = sorted.back.size() < polys.size() && sorted.front.size() < polys.size();
  if (!shrinks || (sorted.on.empty() && (sorted.back.empty() || sorted.front.empty()))) {
    foundInOrder(tree, polys);
    return;
  }
  polys.clear();
  if (sorted.on.empty()) {
    tree.root = new BspNode(plane);
    buildSides(*tree.root, sorted, depth);
    return;
  }
  // A polygon lies in the median plane: it founds the node, so that the
  // node faces as a polygon-founded node does, and the rest are sorted again
  // by its own plane.
  const PolyRef founder = sorted.on.front();
  Polys rest(sorted.on.begin() + 1, sorted.on.end());
  rest.insert(rest.end(), sorted.back.begin(), sorted.back.end());
  rest.insert(rest.end(), sorted.front.begin(), sorted.front.end());
  tree.root = new BspNode(founder);
  Sorted again = sortByPlane(rest, tree.root->plane);
  rest.clear();
  sorted = Sorted();
  buildSides(*tree.root, again, depth);
}

}  // namespace

bool buildBalanced(BspTree& tree, PolyList& list) {
  if (!longerThan(list, kFounderFirstLimit)) return false;
  Polys polys;
  while (const PolyRef p = popUsable(list)) polys.push_back(p);
  if (!polys.empty()) build(tree, std::move(polys), 0);
  return true;
}
