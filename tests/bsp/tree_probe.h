// Read-only looks into a finished tree, shared by the tree and scene suites.
#ifndef KELVANE_TESTS_BSP_TREE_PROBE_H
#define KELVANE_TESTS_BSP_TREE_PROBE_H

#include <cmath>
#include <vector>

#include "bsp/bsp_node.h"
#include "bsp/bsp_tree.h"
#include "polygon/poly_list.h"

// Every polygon of the tree, node by node in pre-order (node, back, front).
inline void collectPolys(const BspTree& tree, std::vector<const CountedPoly*>& out) {
  if (tree.root == nullptr) return;
  for (const PolyNode* n = tree.root->coplanar->head; n != nullptr; n = n->next) out.push_back(n->poly.get());
  collectPolys(tree.root->back, out);
  collectPolys(tree.root->front, out);
}

inline std::vector<const CountedPoly*> allPolys(const BspTree& tree) {
  std::vector<const CountedPoly*> out;
  collectPolys(tree, out);
  return out;
}

// True when p falls into a back cell: inside the solid the tree describes.
inline bool isInside(const BspTree& tree, const Point3& p) {
  bool inside = false;
  for (const BspTree* t = &tree; t->root != nullptr;) {
    inside = p.dot(t->root->plane) < 0.0f;
    t = inside ? &t->root->back : &t->root->front;
  }
  return inside;
}

inline bool planeIsUsable(const Plane& p) {
  const bool finite = std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z) && std::isfinite(p.w);
  return finite && (p.x != 0.0f || p.y != 0.0f || p.z != 0.0f);
}

// True when every node plane of the tree is finite with a non-zero normal.
inline bool allPlanesUsable(const BspTree& tree) {
  if (tree.root == nullptr) return true;
  return planeIsUsable(tree.root->plane) && allPlanesUsable(tree.root->back) &&
         allPlanesUsable(tree.root->front);
}

// The area of a planar polygon: half the length of its vector area.
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
