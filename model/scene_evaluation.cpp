#include "model/scene_evaluation.h"

#include <utility>

#include "bsp/csg.h"
#include "model/mesh_polygons.h"

namespace {

CsgOperation csgOperation(SceneOperation operation) {
  switch (operation) {
    case SceneOperation::Difference:
      return CsgOperation::Difference;
    case SceneOperation::Intersection:
      return CsgOperation::Intersection;
    case SceneOperation::Union:
      break;
  }
  return CsgOperation::Union;
}

struct Evaluation {
  const StageWatcher* watch;  // null: none
  int stopAt;              // the step to stop after; 0: none
  BspTree* stoppedTree;    // receives the tree standing at stopAt
  int steps = 0;
};

// Counts a step; false when the evaluation stops here, its tree handed
// over whole, so that nothing is copied and nothing of it is touched again.
bool takeStep(Evaluation& e, BspTree& tree, const SceneNode& operand, const SceneNode* operation) {
  ++e.steps;
  if (e.watch != nullptr && *e.watch) (*e.watch)(tree, operand, operation);
  if (e.steps != e.stopAt) return true;
  std::swap(e.stoppedTree->root, tree.root);
  return false;
}

// False once the evaluation has stopped.
bool evaluateInto(const SceneNode& node, BspTree& tree, Evaluation& e) {
  if (node.kind == SceneNode::Kind::Solid) {
    combine(tree, meshPolygons(node.mesh), CsgOperation::Union);
    return takeStep(e, tree, node, nullptr);
  }
  for (std::size_t i = 0; i < node.children.size(); ++i) {
    const SceneNode& child = node.children[i];
    PolyListRef operand;
    if (child.kind == SceneNode::Kind::Solid) {
      operand = meshPolygons(child.mesh);
    } else {
      BspTree inner;
      if (!evaluateInto(child, inner, e)) return false;
      operand = solidPolygons(inner);
    }
    // The first operand founds the tree whatever the operation.
    combine(tree, operand, i == 0 ? CsgOperation::Union : csgOperation(node.operation));
    const bool repeatsInner = i == 0 && child.kind == SceneNode::Kind::Operation && node.children.size() > 1;
    if (!repeatsInner && !takeStep(e, tree, child, i == 0 ? nullptr : &node)) return false;
  }
  return true;
}

}  // namespace

void evaluateScene(const Scene& scene, BspTree& tree, const StageWatcher& watch) {
  Evaluation e{&watch, 0, nullptr};
  evaluateInto(scene.root, tree, e);
}

bool evaluateSceneStep(const Scene& scene, int step, BspTree& tree) {
  if (step < 1) return false;
  BspTree built;
  Evaluation e{nullptr, step, &tree};
  return !evaluateInto(scene.root, built, e);
}
