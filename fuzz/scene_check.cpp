// The scene readers on arbitrary bytes. A refused file names a place that
// exists in it (or, for a binary STL, a byte inside it); an accepted one
// holds only closed, outward-facing solids of convex faces with finite
// coordinates within the readers' limit, and a small one is built into a
// tree whose every polygon comes from those faces' planes.
#include <cmath>
#include <string>

#include "bsp/bsp_tree.h"
#include "fuzz/checks.h"
#include "model/face_cutting.h"
#include "model/limits.h"
#include "model/scene_evaluation.h"
#include "model/scene_file.h"

namespace {

// Beyond this many polygons building the tree would take the fuzzer's time
// for nothing the small cases do not show.
constexpr std::size_t kLargestBuiltScene = 400;

void checkSolids(const SceneNode& node) {
  if (node.kind == SceneNode::Kind::Operation) {
    require(!node.children.empty(), "an accepted operation has no operands");
    for (const SceneNode& child : node.children) checkSolids(child);
    return;
  }
  for (const Vec3& p : node.mesh.points) {
    require(std::fabs(p.x) <= kMaxMagnitude && std::fabs(p.y) <= kMaxMagnitude && std::fabs(p.z) <= kMaxMagnitude,
            "an accepted point is beyond the limit or not a number");
  }
  for (const Ring& face : node.mesh.faces) {
    require(face.size() >= 3, "an accepted face has fewer than three points");
    require(convexPieces(node.mesh.points, face).size() == 1, "an accepted face is not convex");
  }
  if (node.name == "mesh" || node.name == "polyhedron") {
    require(!findMeshFault(node.mesh), "an accepted mesh is open, non-manifold or inside out");
  }
}

void checkScene(const std::string& file, const std::string& text, SceneFormat format) {
  Scene scene;
  try {
    scene = parseScene(file, text, format);
  } catch (const SceneError& e) {
    if (e.place.line == 0) return;
    return require(placeExists(text, e.place.line, e.place.column), "a scene fault names a place not in the text");
  }
  checkSolids(scene.root);
  if (scene.polygonCount() > kLargestBuiltScene) return;
  BspTree tree;
  evaluateScene(scene, tree);
}

}  // namespace

void checkCsgReader(const std::uint8_t* data, std::size_t size) {
  checkScene("fuzz.csg", std::string(reinterpret_cast<const char*>(data), size), SceneFormat::Csg);
}

void checkObjReader(const std::uint8_t* data, std::size_t size) {
  checkScene("fuzz.obj", std::string(reinterpret_cast<const char*>(data), size), SceneFormat::Obj);
}

void checkStlAsciiReader(const std::uint8_t* data, std::size_t size) {
  checkScene("fuzz.stl", "solid " + std::string(reinterpret_cast<const char*>(data), size), SceneFormat::Stl);
}

// The bytes after a header whose triangle count matches them, so that the
// fuzzer spends its time on triangles; an odd first byte keeps the count
// of whole triangles and drops the rest, a truncated file.
void checkStlBinaryReader(const std::uint8_t* data, std::size_t size) {
  std::string bytes(80, '\0');
  const std::size_t count = size / 50 + (size > 0 && (data[0] & 1) ? 1 : 0);
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((count >> (8 * i)) & 0xff);
  bytes.append(reinterpret_cast<const char*>(data), size);
  checkScene("fuzz.stl", bytes, SceneFormat::Stl);
}
