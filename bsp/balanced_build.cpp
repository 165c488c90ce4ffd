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
// large subtree are axis-aligned planes at octree positions between the
// quartiles of its polygons' middles, and below kFounderFirstLimit
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
#include <cmath>
#include <utility>
#include <vector>

#include "bsp/bsp_node.h"
#include "bsp/partition.h"

namespace {

// A polygon with the middle of its extent, worked out once: every level
// of the build reads the middles, and reading each polygon's ring again
// per level costs a trip to memory per polygon.
struct Item {
  PolyRef poly;
  Point3 middle;
};
using Items = std::vector<Item>;

// Balancing stops at this depth whatever is left: a cell whose polygons all
// cross every balancing plane would otherwise never shrink.
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

// The coarsest dyadic number k * 2^e within [lo, hi]: the point an octree
// over a fixed frame would cut at. Rebuilding a tree from its own pieces
// then finds the same planes again and cuts nothing new, where a plane
// through the median would move with the pieces and cut them again at
// every rebuild; and a cut at such a number keeps axis-aligned pieces exact.
double coarsestDyadic(double lo, double hi) {
  if (lo <= 0.0 && hi >= 0.0) return 0.0;
  int e = std::ilogb(std::max(std::fabs(lo), std::fabs(hi))) + 1;
  for (;; --e) {
    const double step = std::ldexp(1.0, e);
    const double k = std::ceil(lo / step);
    if (k * step <= hi) return k * step;
  }
}

// The plane across the axis on which the polygons' middles spread most, at
// the coarsest dyadic point between their lower and upper quartiles there;
// false when they do not spread beyond tolerance.
bool balancingPlane(const Items& items, float tolerance, Plane& plane) {
  std::vector<Point3> middles;
  middles.reserve(items.size());
  for (const Item& item : items) middles.push_back(item.middle);
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
  if (!(widest > tolerance)) return false;
  std::vector<float> values;
  values.reserve(middles.size());
  for (const Point3& m : middles) values.push_back(along(m, axis));
  const auto quartile = [&values](std::size_t q) {
    const auto at = values.begin() + static_cast<std::ptrdiff_t>(values.size() * q / 4);
    std::nth_element(values.begin(), at, values.end());
    return *at;
  };
  const float lower = quartile(1);
  const float upper = quartile(3);
  const auto cut = static_cast<float>(coarsestDyadic(lower, upper));
  plane.set(axis == 0 ? 1.0f : 0.0f, axis == 1 ? 1.0f : 0.0f, axis == 2 ? 1.0f : 0.0f, -cut);
  return true;
}

struct Sorted {
  Items on;
  Items back;
  Items front;

  Items& at(Side side) { return side == Side::On ? on : side == Side::Back ? back : front; }
};

// Where poly lies against plane by its vertices' sides within the tolerance
// (a tilted sliver within it goes to a side, as splitPolyWithin sends it);
// Spanning when some vertex lies beyond the tolerance on each side. Nearly
// every polygon of a build goes one way whole, and this tells so without
// the cutter's bookkeeping. A near vertex is not cut off here, as
// splitPolyWithin cuts it where its edges run along the plane: in a build
// that only decides which subtree holds a sliver within the tolerance of
// the plane, where in filtering it decides where a seam's corners go.
Side sideOf(const Poly& poly, const Plane& plane, float tolerance) {
  bool back = false;
  bool front = false;
  for (int i = 0; i < poly.vertexCount; ++i) {
    const float s = poly.vertices[i].dot(plane);
    back = back || s < -tolerance;
    front = front || s > tolerance;
  }
  return back && front ? Side::Spanning : back ? Side::Back : front ? Side::Front : tiltedSide(poly, plane);
}

// Sorts poly, or its pieces, by plane; pieces too thin to have a plane are
// dropped, as every tree operation drops them.
// An item sorted whole is moved on, when the caller gives it up.
template <class ItemRef>
void sortInto(ItemRef&& item, const Plane& plane, float tolerance, Sorted& s) {
  const Side side = sideOf(*item.poly, plane, tolerance);
  if (side != Side::Spanning) {
    s.at(side).push_back(std::forward<ItemRef>(item));
    return;
  }
  visitPieces(item.poly, plane, tolerance, [&s](Side pieceSide, const PolyRef& piece) {
    if (!piece->isDegenerate()) s.at(pieceSide).push_back({piece, middleOf(*piece)});
  });
}

Sorted sortByPlane(const Items& items, const Plane& plane, float tolerance) {
  Sorted s;
  s.back.reserve(items.size());
  s.front.reserve(items.size());
  for (const Item& item : items) sortInto(item, plane, tolerance, s);
  return s;
}

void buildSides(BspNode& node, Sorted& sorted, float tolerance, int depth);

// The first polygon founds the node and the rest are sorted by its plane,
// as insertion would found it, with no list built per level.
void foundInOrder(BspTree& tree, Items&& items, float tolerance, int depth) {
  tree.root = new BspNode(items.front().poly);
  Sorted sorted;
  // A convex solid's leaves are chains: all but the founder go behind.
  sorted.back.reserve(items.size());
  for (std::size_t i = 1; i < items.size(); ++i) sortInto(std::move(items[i]), tree.root->plane, tolerance, sorted);
  items.clear();
  buildSides(*tree.root, sorted, tolerance, depth);
}

void build(BspTree& tree, Items&& items, float tolerance, int depth);

void buildSides(BspNode& node, Sorted& sorted, float tolerance, int depth) {
  for (const Item& item : sorted.on) node.coplanar->add(item.poly);
  sorted.on.clear();
  if (!sorted.back.empty()) build(node.back, std::move(sorted.back), tolerance, depth + 1);
  if (!sorted.front.empty()) build(node.front, std::move(sorted.front), tolerance, depth + 1);
}

// Takes items over, so that no level below holds a handle on what this
// level has already cut: handles are counted in 8 bits.
void build(BspTree& tree, Items&& items, float tolerance, int depth) {
  Plane plane;
  if (items.size() <= static_cast<std::size_t>(kFounderFirstLimit) || depth >= kMaxBalancingDepth ||
      !balancingPlane(items, tolerance, plane)) {
    foundInOrder(tree, std::move(items), tolerance, depth);
    return;
  }
  Sorted sorted = sortByPlane(items, plane, tolerance);
  const bool shrinks = sorted.back.size() < items.size() && sorted.front.size() < items.size();
  if (!shrinks || (sorted.on.empty() && (sorted.back.empty() || sorted.front.empty()))) {
    foundInOrder(tree, std::move(items), tolerance, depth);
    return;
  }
  items.clear();
  if (sorted.on.empty()) {
    tree.root = new BspNode(plane);
    tree.root->balancing = true;
    buildSides(*tree.root, sorted, tolerance, depth);
    return;
  }
  // A polygon lies in the balancing plane: it founds the node, so that the
  // node faces as a polygon-founded node does, and the rest are sorted again
  // by its own plane.
  const PolyRef founder = sorted.on.front().poly;
  Items rest(sorted.on.begin() + 1, sorted.on.end());
  rest.insert(rest.end(), sorted.back.begin(), sorted.back.end());
  rest.insert(rest.end(), sorted.front.begin(), sorted.front.end());
  tree.root = new BspNode(founder);
  Sorted again = sortByPlane(rest, tree.root->plane, tolerance);
  rest.clear();
  sorted = Sorted();
  buildSides(*tree.root, again, tolerance, depth);
}

}  // namespace

bool buildBalanced(BspTree& tree, PolyList& list, float tolerance) {
  if (!longerThan(list, kFounderFirstLimit)) return false;
  Items items;
  while (const PolyRef p = popUsable(list)) items.push_back({p, middleOf(*p)});
  if (!items.empty()) build(tree, std::move(items), tolerance, 0);
  return true;
}
