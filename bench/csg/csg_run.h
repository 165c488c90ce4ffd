// Performs a workload's operations with combine (bsp/csg.h): a solid as left
// operand is first combined into an empty tree, then each operation's right
// operand into the tree; an earlier result as right operand is the tree's
// boundary. Only the operations are timed: the polygon lists are built
// before the clock starts and the trees freed after it stops.
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

// A last-in-first-out list of the solid's polygons added in file order; a
// ring beyond 255 vertices comes as coplanar convex parts.
PolyListRef solidList(const Solid& solid);

struct CsgRunResult {
  double seconds = 0.0;  // the operations alone
  std::unique_ptr<BspTree> tree;
};

// One run of every operation of workload. The caller frees the tree, which
// may be deep.
CsgRunResult runOperations(const Workload& workload);

#endif
