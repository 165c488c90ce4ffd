// Performs a workload's operations the way the demo combines its boxes: the
// left operand founds a tree (inserted with keep Front into an empty tree
// that is itself a front cell), a subtracted solid is turned inside out and
// inserted with keep Back, then the tree is reduced; an added solid is
// inserted with keep Front. Only the operations are timed: the polygon lists
// are built before the clock starts and the trees freed after it stops.
#ifndef KELVANE_BENCH_CSG_CSG_RUN_H
#define KELVANE_BENCH_CSG_CSG_RUN_H

#include <cstddef>
#include <memory>

#include "harness/workload.h"
#include "bsp/bsp_tree.h"

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

struct CsgRunResult {
  double seconds = 0.0;  // the operations alone
  std::unique_ptr<BspTree> tree;
};

// One run of every operation of workload, which must be within the system's
// limits (beyondLimits). The caller frees the tree, which may be deep.
CsgRunResult runOperations(const Workload& workload);

#endif
