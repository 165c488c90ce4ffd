// Performs a workload's operations with the core's combine (bsp/csg.h): the
// left operand is united with an empty tree, then each right operand is
// combined in by its operation; an earlier result serving as an operand is
// given as its boundary polygons. Only the operations are timed: the polygon
// lists are built before the clock starts and the trees freed after it stops.
#ifndef KELVANE_BENCH_CSG_CSG_RUN_H
#define KELVANE_BENCH_CSG_CSG_RUN_H

#include <cstddef>
#include <memory>

#include "bench/csg/workload.h"
#include "bsp/bsp_tree.h"
#include "bsp/csg.h"

struct TreeShape {
  std::size_t polygons = 0;
  std::size_t nodes = 0;
  std::size_t depth = 0;  // nodes on the longest path from the root
};

// Walks the tree without recursion, so that any depth can be measured.
TreeShape measureTree(const BspTree& tree);

// A last-in-first-out list of the solid's polygons added in file order,
// each ring reversed when insideOut is set.
PolyListRef solidList(const Solid& solid, bool insideOut);

// The core's operation for a workload's kind.
CsgOperation csgOperation(OpKind kind);

struct CsgRunResult {
  double seconds = 0.0;  // the operations alone
  std::unique_ptr<BspTree> tree;
};

// One run of every operation of workload, which must be within the system's
// limits (beyondLimits). The caller frees the tree, which may be deep.
CsgRunResult runOperations(const Workload& workload);

#endif
