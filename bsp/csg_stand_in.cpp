#include "bsp/bsp_node.h"
#include "bsp/csg.h"
#include "polygon/poly_ref.h"

#include <vector>

namespace {

void collect(const BspTree& tree, PolyListRef& out) {
  if (tree.root == nullptr) return;
  for (PolyNode* n = tree.root->coplanar->head; n != nullptr; n = n->next) out->add(n->poly);
  collect(tree.root->back, out);
  collect(tree.root->front, out);
}

PolyListRef flipped(PolyListRef list) {
  PolyListRef out;
  std::vector<Point3> ring;
  for (PolyRef p = list->pop(); p; p = list->pop()) {
    ring.assign(p->vertices, p->vertices + p->vertexCount);
    std::vector<Point3> reversed(ring.rbegin(), ring.rend());
    PolyRef q;
    q = new CountedPoly(reversed.data(), static_cast<int>(reversed.size()));
    out->add(q);
  }
  return out;
}

}  // namespace

void combine(BspTree& tree, PolyListRef operand, CsgOperation operation) {
  if (tree.isEmpty()) {
    if (operation == CsgOperation::Union) tree.insert(operand, Side::Front, Side::Front);
    return;
  }
  switch (operation) {
    case CsgOperation::Union: tree.insert(operand, Side::Front, Side::Spanning); break;
    case CsgOperation::Difference: tree.insert(flipped(operand), Side::Back, Side::Spanning); break;
    case CsgOperation::Intersection: tree.insert(operand, Side::Back, Side::Spanning); break;
  }
  tree.reduce();
}

PolyListRef solidPolygons(const BspTree& tree) {
  PolyListRef out;
  collect(tree, out);
  return out;
}
