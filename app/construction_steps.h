// The model's construction, step by step, for the viewer's number keys.
// Each step's tree is built apart from the scene, when it is asked for, by
// its own build function, so that the scene's tree is never touched: the
// built-in scene's step k replays buildScene's first k operations on a
// fresh tree, and a scene file's step k evaluates the scene up to its k-th
// operation. Only the latest step's tree is kept: a file's steps may be
// many, and each may be as large as the scene.
#ifndef KELVANE_APP_CONSTRUCTION_STEPS_H
#define KELVANE_APP_CONSTRUCTION_STEPS_H

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bsp/bsp_tree.h"
#include "model/scene_evaluation.h"

struct ConstructionStep {
  std::string name;  // what the step did, for the caption
  std::function<std::unique_ptr<BspTree>()> build;
};

class ConstructionSteps {
 public:
  explicit ConstructionSteps(std::vector<ConstructionStep> steps) : steps_(std::move(steps)) {}

  int count() const { return static_cast<int>(steps_.size()); }
  // Step k (1..count()), its tree built unless it is the step asked for
  // last; the tree of that one is freed.
  const BspTree& tree(int k);
  const std::string& name(int k) const { return steps_[static_cast<std::size_t>(k - 1)].name; }

 private:
  std::vector<ConstructionStep> steps_;
  int built_ = 0;  // the step tree_ holds
  std::unique_ptr<BspTree> tree_;
};

// buildScene's four operations: the first box, the second subtracted, the
// clean-up, the third added. The last step's tree equals sceneTree.
std::vector<ConstructionStep> builtInSteps();

// A watcher for evaluateScene that adds to steps one step per step of the
// evaluation, named after what it combined; each rebuilds its tree from
// scene, which it keeps.
StageWatcher sceneFileSteps(std::shared_ptr<const Scene> scene, std::vector<ConstructionStep>& steps);

#endif
