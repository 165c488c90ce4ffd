// Read-only looks into polygons and finished trees, shared by the tree and
// scene suites.
#ifndef KELVANE_TESTS_BSP_TREE_PROBE_H
#define KELVANE_TESTS_BSP_TREE_PROBE_H

#include <cmath>

#include "bsp/bsp_node.h"
#include "bsp/bsp_tree.h"
#include "polygon/test_shapes.h"

// Every polygon of the tree, node by node in pre-order (node, back, front).
inline Polys allPolys(const BspTree& tree) {
  if (tree.isEmpty()) return {};
  Polys out = contents(*tree.root->coplanar);
  for (const BspTree* sub : {&tree.root->back, &tree.root->front}) {
    const Polys below = allPolys(*sub);
    out.insert(out.end(), below.begin(), below.end());
  }
  return out;
}

// True when p falls into a back cell: inside the solid the tree describes.
inline bool isInside(const BspTree& tree, const Point3& p) {
  bool inside = false;
  for (const BspTree* t = &tree; !t->isEmpty(); t = inside ? &t->root->back : &t->root->front) {
    inside = p.dot(t->root->plane) < 0.0f;
  }
  return inside;
}

// True when every node plane is finite with a non-zero normal.
inline bool allPlanesUsable(const BspTree& tree) {
  if (tree.isEmpty()) return true;
  const Plane& p = tree.root->plane;
  return std::isfinite(p.x + p.y + p.z + p.w) && (p.x != 0.0f || p.y != 0.0f || p.z != 0.0f) &&
         allPlanesUsable(tree.root->back) && allPlanesUsable(tree.root->front);
}

// Half the length of the ring's vector area.
inline double area(const Poly& p) {
  double x = 0, y = 0, z = 0;
  for (int i = 0; i < p.vertexCount; ++i) {
    const Point3& u = p.vertices[i];
    const Point3& v = p.vertices[(i + 1) % p.vertexCount];
    x += double(u.y) * v.z - double(u.z) * v.y;
    y += double(u.z) * v.x - double(u.x) * v.z;
    z += double(u.x) * v.y - double(u.y) * v.x;
  }
  return 0.5 * std::sqrt(x * x + y * y + z * z);
}

#endif
