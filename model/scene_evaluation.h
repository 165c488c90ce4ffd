// A scene turned into one BSP tree by the core's CSG operations. Each
// operation node is evaluated into a tree of its own, its children's
// polygons combined into it one by one; a solid's polygons go in as they
// are. The result of every operation at the top of the scene (the file's
// own statements, or the root operation's children) can be watched as it
// is made, so that a viewer can show the construction step by step.
#ifndef KELVANE_MODEL_SCENE_EVALUATION_H
#define KELVANE_MODEL_SCENE_EVALUATION_H

#include <functional>

#include "bsp/bsp_tree.h"
#include "model/scene.h"

// Called after each step at the top: the tree as it now stands, and the
// scene node whose operand was just combined (the first founds the tree).
using StageWatcher = std::function<void(const BspTree& tree, const SceneNode& operand)>;

// Builds the scene into tree, which must be empty.
void evaluateScene(const Scene& scene, BspTree& tree, const StageWatcher& watch = nullptr);

#endif
