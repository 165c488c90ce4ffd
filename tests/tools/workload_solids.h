// Workloads made in code from the core suites' solids, as the workload
// reader would make them from a file.
#ifndef KELVANE_TESTS_TOOLS_WORKLOAD_SOLIDS_H
#define KELVANE_TESTS_TOOLS_WORKLOAD_SOLIDS_H

#include <vector>

#include "bsp/solids.h"
#include "harness/workload.h"

inline Solid solidOf(const PolyListRef& list) {
  Solid solid;
  for (const CountedPoly* p : contents(*list)) {
    PolygonRing ring;
    for (int k = 0; k < p->vertexCount; ++k) ring.vertices.push_back({p->vertices[k].x, p->vertices[k].y, p->vertices[k].z});
    solid.polygons.push_back(ring);
  }
  return solid;
}

// One operation of a chain: operands are indices into the solids, or -1 for
// the result of the operation before.
struct Step {
  OpKind kind;
  int left, right;
};

inline Workload chainOf(std::vector<Solid> solids, const std::vector<Step>& steps) {
  Workload w;
  w.name = "w";
  w.solids = std::move(solids);
  for (const Step& s : steps) w.ops.push_back({s.kind, {s.left}, {s.right}, {}});
  return w;
}

#endif
