#include "bsp/bsp_tree.h"

#include "bsp/bsp_node.h"

// Recursion depth is the depth of the tree, as for every other operation.
BspTree::~BspTree() { delete root; }

BspNode::BspNode(const PolyRef& founder) {
  plane = founder->plane;
  coplanar->add(founder);
}

BspNode::BspNode(const Plane& onPlane) { plane = onPlane; }
