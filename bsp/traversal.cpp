// Painter's order: at each node the eye's side of the plane decides which
// subtree is far; the far subtree is drawn first, then the node's own
// polygons, then the near subtree. An eye exactly on the plane counts as in
// front. This file alone needs drawPoly, so programs that never draw link
// without one.
#include "bsp/bsp_node.h"
#include "bsp/bsp_tree.h"
#include "bsp/draw_hook.h"
#include "polygon/poly_list.h"

void drawAll(const PolyList& list) {
  for (const PolyNode* node = list.head; node != nullptr; node = node->next) drawPoly(node->poly);
}

void BspTree::draw(const Point3& eye) const {
  if (root != nullptr) root->draw(eye);
}

void BspNode::draw(const Point3& eye) const {
  const bool eyeInFront = eye.dot(plane) >= 0.0f;
  (eyeInFront ? back : front).draw(eye);
  drawAll(*coplanar);
  (eyeInFront ? front : back).draw(eye);
}
