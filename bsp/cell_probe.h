// Points inside the cells of a tree. A cell is an empty subtree; the planes
// on the way down to it bound it, and its parent's plane holds one of its
// faces. A big square in that plane, cut by every plane above and by a
// box, leaves that face (where it lies in the box); a point just off the
// face's centre, on the cell's side, lies inside the cell (nearer still to
// the face in a sliver of a cell).
#ifndef KELVANE_BSP_CELL_PROBE_H
#define KELVANE_BSP_CELL_PROBE_H

#include <vector>

#include "bsp/bounds.h"
#include "bsp/bsp_node.h"

// The planes from the root down to a node, each with the side taken.
struct PathStep {
  const Plane* plane;
  bool back;
};
using TreePath = std::vector<PathStep>;

// The empty subtree on one side of a node, and a point inside it.
struct CellProbe {
  BspNode* node;
  bool back;
  bool found;  // false when the cell has no face inside the box
  Point3 point;
};

// A point inside the cell behind (back) or in front of node, reached by
// path, within box, distance from the node's plane, or closer where the
// cell is thinner than that.
CellProbe probeCell(BspNode& node, bool back, const TreePath& path, const Bounds& box, double distance);

// True when p falls into a back cell of tree; an empty tree is all outside.
bool pointInside(const BspTree& tree, const Point3& p);

// Calls visitNode(node) for every node of tree whose region may meet box
// (every node when box is null) and visitCell(node, back, path) for each of
// its empty subtrees that may. Going down, box is cut to the side of each
// plane taken, so that a region far from box is left as soon as the planes
// above it leave nothing of box.
template <class VisitNode, class VisitCell>
void walkNear(BspTree& tree, const Bounds* box, double margin, TreePath& path, VisitNode& visitNode,
              VisitCell& visitCell) {
  BspNode& node = *tree.root;
  visitNode(node);
  for (const bool back : {true, false}) {
    Bounds part;
    if (box != nullptr) {
      part = box->clippedTo(node.plane, back, margin);
      if (part.isEmpty()) continue;
    }
    BspTree& sub = back ? node.back : node.front;
    if (sub.isEmpty()) {
      visitCell(node, back, path);
      continue;
    }
    path.push_back({&node.plane, back});
    walkNear(sub, box != nullptr ? &part : nullptr, margin, path, visitNode, visitCell);
    path.pop_back();
  }
}

#endif
