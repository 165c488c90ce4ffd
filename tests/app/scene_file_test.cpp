// The built-in scene's size, which files are framed to, is the size of the
// tree the program builds.
#include "app/scene_file.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/scene.h"
#include "model/tree_bounds.h"

namespace {

TEST(SceneFile, FramingRadiusIsTheBuiltInScenesHalfDiagonal) {
  buildScene();
  const Bounds bounds = treeBounds(*sceneTree);
  const Vec3 size = bounds.high - bounds.low;
  EXPECT_NEAR(0.5 * std::sqrt(dot(size, size)), kBuiltInSceneRadius, 1e-5);
  delete sceneTree;
  sceneTree = nullptr;
}

}  // namespace
