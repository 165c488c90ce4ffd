// A scene turned into one BSP tree by the core's CSG operations. Each
// operation node is evaluated into a tree of its own, its children's
// polygons combined into it one by one; a solid's polygons go in as they
// are. Every combination, at any depth and in the order it is made, is a
// step that can be watched, so that a viewer can show the construction step
// by step: a solid founding a tree, and each union, difference or
// intersection with a further operand. A tree founded by the result of an
// inner operation is no step of its own, as it holds what the step before
// showed. The last step's tree is the scene's.
#ifndef KELVANE_MODEL_SCENE_EVALUATION_H
#define KELVANE_MODEL_SCENE_EVALUATION_H

#include <functional>

#include "bsp/bsp_tree.h"
#include "model/scene.h"

// Called after each step: the tree as it now stands (an inner operation's
// own tree while that is being built), the scene node just combined into
// it, and the operation node it was combined by (null when it founded the
// tree).
using StageWatcher =
    std::function<void(const BspTree& tree, const SceneNode& operand, const SceneNode* operation)>;

// Builds the scene into tree, which must be empty.
void evaluateScene(const Scene& scene, BspTree& tree, const StageWatcher& watch = nullptr);

// Builds into tree, which must be empty, the tree that step `step` (from 1,
// in the order evaluateScene watches them) leaves, and stops there. False,
// with tree left empty, when the scene has fewer steps.
bool evaluateSceneStep(const Scene& scene, int step, BspTree& tree);

#endif
