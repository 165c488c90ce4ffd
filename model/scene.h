// A scene as every reader hands it over, checked whole: a tree whose leaves
// are solids (closed meshes in final coordinates) and whose inner nodes are
// the three operations. A union or intersection combines all its children;
// a difference takes the rest from its first child.
#ifndef KELVANE_MODEL_SCENE_H
#define KELVANE_MODEL_SCENE_H

#include <string>
#include <vector>

#include "model/mesh.h"
#include "model/scene_error.h"

enum class SceneOperation { Union, Difference, Intersection };

struct SceneNode {
  enum class Kind { Solid, Operation };
  Kind kind = Kind::Operation;
  SceneOperation operation = SceneOperation::Union;
  Mesh mesh;  // a solid's faces
  std::vector<SceneNode> children;
  std::string name;  // what the file calls it: "cube", "difference", "mesh", ...
  TextPlace place;
};

struct Scene {
  std::string file;
  SceneNode root;  // a union of the file's top-level objects

  std::size_t polygonCount() const;
};

#endif
