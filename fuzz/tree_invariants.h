// The invariants of a BSP tree that every operation must keep, checked on a
// whole tree without recursion:
// - each node's plane is usable and each of its polygons has a plane and
//   lies in the node's plane (it classified On when it arrived);
// - every polygon lies behind or on each ancestor's plane when it sits in
//   that ancestor's back subtree, in front or on it in the front subtree;
// - no polygon is held by two lists of the tree, nor twice by one.
// Judgements use the slack of plane_slack.h.
#ifndef KELVANE_FUZZ_TREE_INVARIANTS_H
#define KELVANE_FUZZ_TREE_INVARIANTS_H

#include <cstddef>
#include <map>

#include "bsp/bsp_tree.h"
#include "bsp/side.h"
#include "fuzz/invariant.h"
#include "polygon/poly_list.h"

// How many list entries hold each polygon, to be compared with its count.
using HolderCensus = std::map<const CountedPoly*, int>;

struct GeometryCheck {
  // Off for trees built from rings that are not planar and convex: the
  // system's contract does not cover them, so only their structure counts.
  bool enabled = true;
  // The largest coordinate the polygons started from: a crossing point
  // carries rounding in proportion to the edge it was cut from.
  double scale = 0.0;
};

// Checks the tree and adds its lists' holds to census; returns its number of
// nodes. Throws InvariantBroken.
std::size_t checkTree(const BspTree& tree, HolderCensus& census, const GeometryCheck& geometry);

void countHolders(const PolyList& list, HolderCensus& census);

// Every polygon of the census has exactly its counted holders plus `extra`
// of its own (handles outside any list: 1 for the ones the check made and
// keeps, 0 for pieces the system cut).
template <class Extra>
void requireCounts(const HolderCensus& census, Extra extra);

// A polygon that filtering put into a result with keep: followed down the
// tree, it must meet a node whose plane it lies in, or end in a cell that
// keep selects (an empty tree keeps only when keep equals side).
void requireKeptPlacement(const BspTree& tree, const Poly& poly, Side keep, Side side, const GeometryCheck& geometry);

template <class Extra>
void requireCounts(const HolderCensus& census, Extra extra) {
  for (const auto& [poly, holders] : census) {
    if (poly->refCount != holders + extra(poly)) {
      throw InvariantBroken("a polygon's reference count does not match the handles that hold it");
    }
  }
}

#endif
