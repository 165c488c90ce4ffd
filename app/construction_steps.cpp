#include "app/construction_steps.h"

#include "app/scene.h"
#include "bsp/side.h"

namespace {

using Operation = void (*)(BspTree&);

// The same calls as buildScene, one per entry and in its order.
const Operation kSceneOperations[] = {
    [](BspTree& tree) { tree.insert(makeCube(solidBoxMatrix()), Side::Front, Side::Front); },
    [](BspTree& tree) { tree.insert(makeCube(channelBoxMatrix()), Side::Back, Side::Spanning); },
    [](BspTree& tree) { tree.reduce(); },
    [](BspTree& tree) { tree.insert(makeCube(plateBoxMatrix()), Side::Front, Side::Spanning); },
};
const char* const kSceneStepNames[] = {"the first box", "the second box subtracted", "after the clean-up",
                                       "the third box added: the finished model"};

}  // namespace

const BspTree& ConstructionSteps::tree(int k) {
  if (trees_.size() < steps_.size()) trees_.resize(steps_.size());
  auto& slot = trees_[static_cast<std::size_t>(k - 1)];
  if (!slot) slot = steps_[static_cast<std::size_t>(k - 1)].build();
  return *slot;
}

std::vector<ConstructionStep> builtInSteps() {
  std::vector<ConstructionStep> steps;
  for (std::size_t k = 1; k <= std::size(kSceneOperations); ++k) {
    steps.push_back({kSceneStepNames[k - 1], [k] {
                       auto tree = std::make_unique<BspTree>();
                       for (std::size_t i = 0; i < k; ++i) kSceneOperations[i](*tree);
                       return tree;
                     }});
  }
  return steps;
}
