// The invariants of a BSP tree that every operation must keep:
// - each node's plane is usable and each of its polygons has a plane and
//   lies in the node's plane (it classified On when it arrived), or as far
//   off it as the node's founder, whose plane the node took, lay off its
//   own: pieces cut from a long thin founder inherit its error;
// - every polygon lies behind or on each ancestor's plane when it sits in
//   that ancestor's back subtree, in front or on it in the front subtree;
// - no polygon is held by two lists of the tree, nor twice by one;
// - every polygon's reference count is the number of handles that hold it.
// Judgements allow for rounding (planeValue below).
#ifndef KELVANE_FUZZ_TREE_INVARIANTS_H
#define KELVANE_FUZZ_TREE_INVARIANTS_H

#include <cmath>
#include <cstddef>
#include <map>
#include <vector>

#include "bsp/bsp_tree.h"
#include "bsp/side.h"
#include "geometry/tolerance.h"
#include "polygon/poly_list.h"

// Judging a point against a plane after the system has cut and recut it:
// its classification tolerance plus the rounding that computing crossing
// points in floats can add, which grows with the size of the terms. A
// crossing point on an edge nearly parallel to the cutting plane can land a
// little beyond the edge (the edge vector is rounded to floats before the
// plane's dot product is taken), so the base allowance is ten tolerances:
// real misplacements are of the size of the geometry.
struct PlaneValue {
  double value;  // a·x + b·y + c·z + d·w, in double precision
  double slack;  // how far beyond 0 still counts as on the plane
};

// `extra` widens the slack by an absolute amount: the rounding a point may
// carry from cuts of edges much longer than itself.
inline PlaneValue planeValue(const Tuple4& point, const Tuple4& plane, double extra = 0.0) {
  const double terms[4] = {double(point.x) * plane.x, double(point.y) * plane.y, double(point.z) * plane.z,
                           double(point.w) * plane.w};
  double value = 0.0, size = 0.0;
  for (double t : terms) value += t, size += std::fabs(t);
  return {value, 10.0 * kEpsilon + 1e-5 * size + extra};
}

// How many list entries hold each polygon.
using HolderCensus = std::map<const CountedPoly*, int>;

struct GeometryCheck {
  // Off for trees built from rings that are not planar and convex: the
  // system's contract does not cover them, so only their structure counts.
  bool enabled = true;
  // How far off a plane rounding may have put a point: a crossing point
  // carries rounding in proportion to the edge it was cut from, so a
  // millionth of the largest coordinate the polygons started from.
  double rounding = 0.0;
};

// How far each node's founder lay off its own plane, learnt when the node
// is first checked; to be kept while the tree lives.
using FounderSlack = std::map<const BspNode*, double>;

// Checks the tree and counts its lists' holds into census, which must not
// count any polygon of the tree yet; returns its number of nodes. Throws
// InvariantBroken.
std::size_t checkTree(const BspTree& tree, HolderCensus& census, FounderSlack& founders,
                      const GeometryCheck& geometry);

void countHolders(const PolyList& list, HolderCensus& census);

// Every polygon of census and of kept has as many holds as census counts,
// plus one for each handle of kept.
void requireCounts(HolderCensus census, const std::vector<PolyRef>& kept);

// A polygon that filtering put into a result with keep: followed down the
// tree, it must meet a node whose plane it lies in, or end in a cell that
// keep selects (an empty tree keeps only when keep equals side).
void requireKeptPlacement(const BspTree& tree, const Poly& poly, Side keep, Side side, const GeometryCheck& geometry);

#endif
