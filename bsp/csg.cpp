#include "bsp/csg.h"

#include <algorithm>
#include <vector>

#include "bsp/bsp_node.h"

namespace {

PolyRef reversed(const Poly& poly) {
  std::vector<Point3> ring(poly.vertices, poly.vertices + poly.vertexCount);
  std::reverse(ring.begin(), ring.end());
  PolyRef r;
  r = new CountedPoly(ring.data(), poly.vertexCount);
  return r;
}

PolyListRef insideOut(PolyList& list) {
  PolyListRef out;
  while (const PolyRef p = list.pop()) out->add(reversed(*p));
  return out;
}

}  // namespace

void combine(BspTree& tree, PolyListRef operand, CsgOperation operation) {
  switch (operation) {
    case CsgOperation::Union:
      tree.insert(operand, Side::Front, tree.isEmpty() ? Side::Front : Side::Spanning);
      tree.reduce();
      break;
    case CsgOperation::Difference:
      tree.insert(insideOut(*operand), Side::Back, Side::Spanning);
      tree.reduce();
      break;
    case CsgOperation::Intersection:
      tree.insert(operand, Side::Back, Side::Spanning);
      tree.reduce();
      break;
  }
}

PolyListRef solidPolygons(const BspTree& tree) {
  PolyListRef out;
  std::vector<const BspNode*> pending;
  if (tree.root != nullptr) pending.push_back(tree.root);
  while (!pending.empty()) {
    const BspNode* node = pending.back();
    pending.pop_back();
    // Added in walk order; the list is then turned round once below.
    for (const PolyNode* p = node->coplanar->head; p != nullptr; p = p->next) out->add(p->poly);
    if (node->front.root != nullptr) pending.push_back(node->front.root);
    if (node->back.root != nullptr) pending.push_back(node->back.root);
  }
  PolyListRef ordered;
  ordered->appendAll(out);
  return ordered;
}
