#include "model/tree_bounds.h"

#include <algorithm>

#include "bsp/bsp_node.h"

namespace {

void grow(Bounds& b, const Point3& p) {
  if (b.isEmpty()) {
    b.low = b.high = Vec3{p.x, p.y, p.z};
    return;
  }
  b.low = {std::min<double>(b.low.x, p.x), std::min<double>(b.low.y, p.y), std::min<double>(b.low.z, p.z)};
  b.high = {std::max<double>(b.high.x, p.x), std::max<double>(b.high.y, p.y), std::max<double>(b.high.z, p.z)};
}

void growByTree(Bounds& b, const BspTree& tree) {
  if (tree.root == nullptr) return;
  for (const PolyNode* n = tree.root->coplanar->head; n != nullptr; n = n->next) {
    for (int i = 0; i < n->poly->vertexCount; ++i) grow(b, n->poly->vertices[i]);
  }
  growByTree(b, tree.root->back);
  growByTree(b, tree.root->front);
}

}  // namespace

Bounds treeBounds(const BspTree& tree) {
  Bounds b;
  growByTree(b, tree);
  return b;
}
