// The model's construction, step by step, for the viewer's number keys.
// Each step's tree is built apart from the scene, on first use, by its own
// build function, so that the scene's tree is never touched: the built-in
// scene's step k replays buildScene's first k operations on a fresh tree,
// and a model read from a file plugs in one function per operation.
#ifndef KELVANE_APP_CONSTRUCTION_STEPS_H
#define KELVANE_APP_CONSTRUCTION_STEPS_H

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bsp/bsp_tree.h"

struct ConstructionStep {
  std::string name;  // what the step did, for the caption
  std::function<std::unique_ptr<BspTree>()> build;
};

class ConstructionSteps {
 public:
  explicit ConstructionSteps(std::vector<ConstructionStep> steps) : steps_(std::move(steps)) {}

  int count() const { return static_cast<int>(steps_.size()); }
  // Step k (1..count()), its tree built on first use and kept.
  const BspTree& tree(int k);
  const std::string& name(int k) const { return steps_[static_cast<std::size_t>(k - 1)].name; }

 private:
  std::vector<ConstructionStep> steps_;
  std::vector<std::unique_ptr<BspTree>> trees_;
};

// buildScene's four operations: the first box, the second subtracted, the
// clean-up, the third added. The last step's tree equals sceneTree.
std::vector<ConstructionStep> builtInSteps();

#endif
