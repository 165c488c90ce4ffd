#include "bench/csg/csg_run.h"

#include <chrono>
#include <utility>
#include <vector>

#include "bsp/bsp_node.h"
#include "bsp/csg.h"
#include "polygon/convex_parts.h"

namespace {

// Visits every node, pre-order, back before front, with its depth (root 1).
template <class Visit>
void forEachNode(const BspTree& tree, Visit visit) {
  std::vector<std::pair<const BspNode*, std::size_t>> pending;
  if (tree.root != nullptr) pending.emplace_back(tree.root, 1);
  while (!pending.empty()) {
    const auto [node, depth] = pending.back();
    pending.pop_back();
    visit(*node, depth);
    if (node->front.root != nullptr) pending.emplace_back(node->front.root, depth + 1);
    if (node->back.root != nullptr) pending.emplace_back(node->back.root, depth + 1);
  }
}

struct PreparedOp {
  PolyListRef left;   // unused when the left operand is the earlier result
  PolyListRef right;  // unused when the right operand is the earlier result
};

CsgOperation operationOf(OpKind kind) {
  switch (kind) {
    case OpKind::Subtract: return CsgOperation::Difference;
    case OpKind::Intersect: return CsgOperation::Intersection;
    case OpKind::Union: break;
  }
  return CsgOperation::Union;
}

}  // namespace

TreeShape measureTree(const BspTree& tree) {
  TreeShape shape;
  forEachNode(tree, [&shape](const BspNode& node, std::size_t depth) {
    ++shape.nodes;
    if (depth > shape.depth) shape.depth = depth;
    for (const PolyNode* p = node.coplanar->head; p != nullptr; p = p->next) ++shape.polygons;
  });
  return shape;
}

PolyListRef solidList(const Solid& solid) {
  PolyListRef list;
  std::vector<Point3> ring;
  for (const PolygonRing& polygon : solid.polygons) {
    ring.clear();
    for (const Vertex& v : polygon.vertices) ring.emplace_back(v[0], v[1], v[2], 1.0f);
    addConvexRing(*list, ring.data(), static_cast<int>(ring.size()));
  }
  return list;
}

CsgRunResult runOperations(const Workload& workload) {
  std::vector<PreparedOp> prepared;
  for (const Operation& op : workload.ops) {
    PreparedOp p;
    if (!op.left.isPreviousResult()) p.left = solidList(workload.solids[op.left.solid]);
    if (!op.right.isPreviousResult()) p.right = solidList(workload.solids[op.right.solid]);
    prepared.push_back(p);
  }

  std::vector<std::unique_ptr<BspTree>> replaced;
  auto tree = std::make_unique<BspTree>();
  const auto start = std::chrono::steady_clock::now();
  for (std::size_t i = 0; i < workload.ops.size(); ++i) {
    const Operation& op = workload.ops[i];
    PolyListRef right = op.right.isPreviousResult() ? solidPolygons(*tree) : prepared[i].right;
    if (!op.left.isPreviousResult()) {
      replaced.push_back(std::move(tree));
      tree = std::make_unique<BspTree>();
      combine(*tree, prepared[i].left, CsgOperation::Union);
    }
    combine(*tree, right, operationOf(op.kind));
  }
  const auto stop = std::chrono::steady_clock::now();
  CsgRunResult result;
  result.seconds = std::chrono::duration<double>(stop - start).count();
  result.tree = std::move(tree);
  return result;
}
