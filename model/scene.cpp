#include "model/scene.h"

namespace {

std::size_t countPolygons(const SceneNode& node) {
  std::size_t count = node.mesh.faces.size();
  for (const SceneNode& child : node.children) count += countPolygons(child);
  return count;
}

}  // namespace

std::size_t Scene::polygonCount() const { return countPolygons(root); }
