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
  if (k != built_ || !tree_) {
    tree_.reset();  // before the next is built: two at once may not fit
    tree_ = steps_[static_cast<std::size_t>(k - 1)].build();
    built_ = k;
  }
  return *tree_;
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

StageWatcher sceneFileSteps(std::shared_ptr<const Scene> scene, std::vector<ConstructionStep>& steps) {
  return [scene, &steps](const BspTree&, const SceneNode& operand, const SceneNode* operation) {
    std::string name = operation != nullptr ? operation->name + " with " + operand.name : operand.name;
    // A mesh file is one solid, which has no line of its own.
    if (operand.name != "mesh") name += ", line " + std::to_string(operand.place.line);
    const int k = static_cast<int>(steps.size()) + 1;
    steps.push_back({name, [scene, k] {
                       auto tree = std::make_unique<BspTree>();
                       evaluateSceneStep(*scene, k, *tree);
                       return tree;
                     }});
  };
}
