#include "model/scene_evaluation.h"

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

PolyListRef polygonsOf(const SceneNode& node);

void evaluateInto(const SceneNode& node, BspTree& tree, const StageWatcher& watch) {
  if (node.kind == SceneNode::Kind::Solid) {
    combine(tree, meshPolygons(node.mesh), CsgOperation::Union);
    if (watch) watch(tree, node);
    return;
  }
  bool first = true;
  for (const SceneNode& child : node.children) {
    // The first operand founds the tree whatever the operation.
    combine(tree, polygonsOf(child), first ? CsgOperation::Union : csgOperation(node.operation));
    first = false;
    if (watch) watch(tree, child);
  }
}

PolyListRef polygonsOf(const SceneNode& node) {
  if (node.kind == SceneNode::Kind::Solid) return meshPolygons(node.mesh);
  BspTree tree;
  evaluateInto(node, tree, nullptr);
  return solidPolygons(tree);
}

}  // namespace

void evaluateScene(const Scene& scene, BspTree& tree, const StageWatcher& watch) {
  evaluateInto(scene.root, tree, watch);
}
