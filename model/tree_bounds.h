// The box around every vertex a tree holds.
#ifndef KELVANE_MODEL_TREE_BOUNDS_H
#define KELVANE_MODEL_TREE_BOUNDS_H

#include "bsp/bsp_tree.h"
#include "model/mesh.h"

struct Bounds {
  Vec3 low{1, 1, 1}, high{-1, -1, -1};  // inside out until the first point
  bool isEmpty() const { return low.x > high.x; }
};

Bounds treeBounds(const BspTree& tree);

#endif
