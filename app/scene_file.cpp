#include "app/scene_file.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <new>

#include "app/scene.h"
#include "app/view_keys.h"
#include "model/scene_evaluation.h"
#include "model/scene_file.h"
#include "model/tree_bounds.h"

namespace {

bool sceneWasOpened = false;

}  // namespace

bool openSceneFile(const char* path) {
  try {
    const auto scene = std::make_shared<const Scene>(loadScene(path));
    auto tree = std::make_unique<BspTree>();
    std::vector<ConstructionStep> steps;
    evaluateScene(*scene, *tree, sceneFileSteps(scene, steps));
    sceneTree = tree.release();
    setConstructionSteps(std::move(steps));
    sceneWasOpened = true;
    return true;
  } catch (const SceneError& e) {
    std::fprintf(stderr, "%s\n", e.what());
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s: error: not enough memory for the scene\n", path);
  }
  return false;
}

void forgetSceneFile() { sceneWasOpened = false; }

void frameOpenedScene(Viewer& viewer) {
  if (!sceneWasOpened || sceneTree == nullptr) return;
  const Bounds bounds = treeBounds(*sceneTree);
  if (bounds.isEmpty()) return;
  const Vec3 size = bounds.high - bounds.low;
  const double radius = 0.5 * std::sqrt(dot(size, size));
  const Vec3 centre = (bounds.low + bounds.high) * 0.5;
  viewer.frameModel(Point3(float(centre.x), float(centre.y), float(centre.z), 1.0f),
                    radius > 0 ? static_cast<float>(kBuiltInSceneRadius / radius) : 1.0f);
}
