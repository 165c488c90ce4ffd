// Boolean operations by filtering each solid's boundary through the other
// solid's tree and building a new tree from what is kept.
//
// A face of one solid belongs to the result where the result is solid just
// behind it and empty just in front of it. Filtering a face through the
// other solid's tree with a keep code finds where the face runs inside or
// outside that solid. Where the face lies in a plane of the other tree it
// runs along the other solid's boundary, and which subtree it is sent on to
// decides how the coincidence counts: sent to the subtree on its own front
// side it sees the other solid just in front of it, sent behind it sees the
// other solid just behind it. The rules below make a coincident face of the
// same facing appear once (the tree's own copy is kept, the operand's
// dropped) and faces that touch from opposite sides vanish.
//
// The result's tree is then built from the kept faces by insertion, so its
// cells are right by construction: nothing depends on a cell of the old
// tree that no face of the operand reached. Faces whose box does not meet
// the other solid's box cannot be cut by it and skip the filtering.
//
// Tolerances follow the model: on-plane distances scale with the largest
// coordinate (the size of a float's rounding there) and with the extent of
// the two solids (what the shapes can resolve).
#include "bsp/csg.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "bsp/bsp_node.h"
#include "bsp/partition.h"
#include "geometry/tolerance.h"

namespace {

// Where a polygon lying in a node's plane goes on to, by whether it faces
// the way the plane does, and which cells keep what ends in them.
struct FilterRule {
  Side keep;
  Side sameFacing;
  Side oppositeFacing;
};

struct OperationRules {
  FilterRule treeFaces;     // the tree's own faces through the operand's tree
  FilterRule operandFaces;  // the operand's faces through the tree
  bool reverseOperand;      // the kept operand faces turned inside out
};

// Keep Front: outside the other solid; keep Back: inside it.
OperationRules rulesFor(CsgOperation operation) {
  switch (operation) {
    case CsgOperation::Union:
      return {{Side::Front, Side::Front, Side::Back}, {Side::Front, Side::Back, Side::Back}, false};
    case CsgOperation::Intersection:
      return {{Side::Back, Side::Back, Side::Front}, {Side::Back, Side::Front, Side::Front}, false};
    case CsgOperation::Difference:
      break;
  }
  return {{Side::Front, Side::Back, Side::Front}, {Side::Back, Side::Front, Side::Front}, true};
}

struct Box {
  double min[3] = {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
                   std::numeric_limits<double>::infinity()};
  double max[3] = {-std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                   -std::numeric_limits<double>::infinity()};

  void grow(const Poly& p) {
    for (int i = 0; i < p.vertexCount; ++i) {
      const float c[3] = {p.vertices[i].x, p.vertices[i].y, p.vertices[i].z};
      for (int a = 0; a < 3; ++a) {
        min[a] = std::min(min[a], double(c[a]));
        max[a] = std::max(max[a], double(c[a]));
      }
    }
  }
  bool meets(const Box& other, double margin) const {
    for (int a = 0; a < 3; ++a) {
      if (min[a] > other.max[a] + margin || other.min[a] > max[a] + margin) return false;
    }
    return true;
  }
  double largestCoordinate() const {
    double m = 0.0;
    for (int a = 0; a < 3; ++a) m = std::max({m, std::fabs(min[a]), std::fabs(max[a])});
    return m;
  }
  double extent() const {
    double e = 0.0;
    for (int a = 0; a < 3; ++a) e = std::max(e, max[a] - min[a]);
    return e;
  }
};

Box boxOf(const PolyList& list) {
  Box box;
  for (const PolyNode* n = list.head; n != nullptr; n = n->next) box.grow(*n->poly);
  return box;
}

Box boxOf(const Poly& poly) {
  Box box;
  box.grow(poly);
  return box;
}

Box merged(const Box& a, const Box& b) {
  Box both = a;
  for (int i = 0; i < 3; ++i) {
    both.min[i] = std::min(a.min[i], b.min[i]);
    both.max[i] = std::max(a.max[i], b.max[i]);
  }
  return both;
}

// A few units in the last place of the largest coordinate, or a small
// fraction of the solids' extent, whichever is larger.
float toleranceFor(const Box& solids) {
  if (!(solids.min[0] <= solids.max[0])) return kEpsilon;  // nothing to measure
  const double t = std::max(std::ldexp(solids.largestCoordinate(), -22), std::ldexp(solids.extent(), -18));
  return static_cast<float>(std::max(t, double(std::numeric_limits<float>::min())));
}

bool facesLike(const Poly& poly, const Plane& plane) {
  return double(poly.plane.x) * plane.x + double(poly.plane.y) * plane.y + double(poly.plane.z) * plane.z > 0.0;
}

// Moves into kept the pieces of list that end in cells rule.keep selects;
// side is the cell tree is. The list ends empty.
void filterThrough(const BspTree& tree, Side side, PolyList& list, PolyList& kept, const FilterRule& rule,
                   float tolerance) {
  if (list.isEmpty()) return;
  if (tree.root == nullptr) {
    if (side == rule.keep) {
      while (const PolyRef p = list.pop()) kept.add(p);
    }
    list.clear();
    return;
  }
  const BspNode& node = *tree.root;
  PolyList backList;
  PolyList frontList;
  while (const PolyRef p = popUsable(list)) {
    visitPieces(p, node.plane, tolerance, [&](Side s, const PolyRef& piece) {
      if (s == Side::On) {
        s = node.balancing ? Side::Front : facesLike(*piece, node.plane) ? rule.sameFacing : rule.oppositeFacing;
      }
      (s == Side::Back ? backList : frontList).add(piece);
    });
  }
  filterThrough(node.back, Side::Back, backList, kept, rule, tolerance);
  filterThrough(node.front, Side::Front, frontList, kept, rule, tolerance);
}

// Filters faces through tree, the solid inside otherBox; a face clear of
// that box is wholly outside the solid.
void keepFaces(PolyList& faces, const BspTree& tree, const Box& otherBox, const FilterRule& rule, float tolerance,
               PolyList& kept) {
  PolyList near;
  while (const PolyRef p = popUsable(faces)) {
    if (boxOf(*p).meets(otherBox, tolerance)) {
      near.add(p);
    } else if (rule.keep == Side::Front) {
      kept.add(p);
    }
  }
  filterThrough(tree, Side::Spanning, near, kept, rule, tolerance);
}

PolyRef reversed(const Poly& poly) {
  std::vector<Point3> ring(poly.vertices, poly.vertices + poly.vertexCount);
  std::reverse(ring.begin(), ring.end());
  PolyRef r;
  r = new CountedPoly(ring.data(), poly.vertexCount);
  return r;
}

// The usable polygons of list in a new list of the same order; list ends
// empty.
PolyListRef usable(PolyList& list) {
  PolyListRef reversedOrder;
  while (const PolyRef p = popUsable(list)) reversedOrder->add(p);
  PolyListRef out;
  out->appendAll(reversedOrder);
  return out;
}

void rebuild(BspTree& tree, PolyListRef faces, float tolerance) {
  BspTree fresh;
  fresh.insert(faces, Side::Spanning, Side::Spanning, tolerance);
  std::swap(tree.root, fresh.root);
}

}  // namespace

void combine(BspTree& tree, PolyListRef operand, CsgOperation operation) {
  const PolyListRef b = usable(*operand);
  if (tree.isEmpty()) {
    if (operation == CsgOperation::Union) rebuild(tree, b, toleranceFor(boxOf(*b)));
    return;
  }
  if (b->isEmpty()) {
    if (operation == CsgOperation::Intersection) rebuild(tree, PolyListRef(), 0.0f);
    return;
  }
  const PolyListRef a = solidPolygons(tree);
  const Box aBox = boxOf(*a);
  const Box bBox = boxOf(*b);
  const float tolerance = toleranceFor(merged(aBox, bBox));
  const OperationRules rules = rulesFor(operation);

  BspTree operandTree;
  PolyListRef bFaces;
  for (const PolyNode* n = b->head; n != nullptr; n = n->next) bFaces->add(n->poly);
  operandTree.insert(b, Side::Spanning, Side::Spanning, tolerance);

  PolyListRef kept;
  keepFaces(*a, operandTree, bBox, rules.treeFaces, tolerance, *kept);
  PolyList keptOperand;
  keepFaces(*bFaces, tree, aBox, rules.operandFaces, tolerance, keptOperand);
  while (const PolyRef p = keptOperand.pop()) kept->add(rules.reverseOperand ? reversed(*p) : p);
  rebuild(tree, kept, tolerance);
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
