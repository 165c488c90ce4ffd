#include "model/csg_scene.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "model/csg_arguments.h"
#include "model/limits.h"
#include "model/polyhedron.h"
#include "model/primitives.h"

namespace {

struct Refusal {
  const char* name;
  const char* why;
};
constexpr Refusal kRefused[] = {
    {"circle", "2-D objects are not supported"},
    {"square", "2-D objects are not supported"},
    {"polygon", "2-D objects are not supported"},
    {"text", "2-D objects (text) are not supported"},
    {"linear_extrude", "extrusions are not supported"},
    {"rotate_extrude", "extrusions are not supported"},
    {"import", "importing other files is not supported"},
    {"surface", "importing other files is not supported"},
    {"projection", "projection (3-D to 2-D) is not supported"},
    {"offset", "offset (2-D) is not supported"},
    {"hull", "hull is not supported"},
    {"minkowski", "minkowski is not supported"},
    {"resize", "resize is not supported"},
    {"children", "modules are not supported"},
    {"echo", "'echo' is not supported"},
    {"assert", "'assert' is not supported"},
};

class Builder {
 public:
  explicit Builder(const std::string& file) : file_(file) {}

  SceneNode buildAll(const std::vector<CsgCall>& calls, TextPlace place, const Affine& transform,
                     const Resolution& resolution, int depth, const char* name) {
    SceneNode node;
    node.name = name;
    node.place = place;
    for (const CsgCall& call : calls) {
      if (call.modifier == '%' || call.modifier == '*') continue;
      SceneNode child = build(call, transform, resolution, depth + 1);
      if (!isEmpty(child)) node.children.push_back(std::move(child));
    }
    return collapse(std::move(node));
  }

 private:
  static bool isEmpty(const SceneNode& node) {
    return node.kind == SceneNode::Kind::Solid ? node.mesh.faces.empty() : node.children.empty();
  }

  // A union or intersection of one is that one.
  static SceneNode collapse(SceneNode node) {
    if (node.kind == SceneNode::Kind::Operation && node.children.size() == 1) return std::move(node.children[0]);
    return node;
  }

  [[noreturn]] void fail(const CsgCall& call, const std::string& message) const {
    throw SceneError(file_, call.place, call.name + ": " + message);
  }

  SceneNode build(const CsgCall& call, const Affine& transform, const Resolution& inherited, int depth) {
    if (depth > kMaxNesting) fail(call, "nesting deeper than " + std::to_string(kMaxNesting) + " levels");
    for (const Refusal& r : kRefused) {
      if (call.name == r.name) fail(call, r.why);
    }
    const std::string& n = call.name;
    if (n == "cube" || n == "sphere" || n == "cylinder" || n == "polyhedron") {
      if (!call.children.empty()) fail(call, "an object has no children");
      return solid(call, transform, inherited);
    }
    if (n == "union" || n == "group" || n == "difference" || n == "intersection" || n == "render" || n == "color") {
      const CsgArguments args = n == "render"  ? CsgArguments(file_, call, {"convexity"})
                                : n == "color" ? CsgArguments(file_, call, {"c", "alpha"})
                                               : CsgArguments(file_, call, {});
      return operation(call, transform, args.resolution(inherited), depth);
    }
    if (n == "multmatrix" || n == "translate" || n == "rotate" || n == "scale" || n == "mirror") {
      const std::pair<Affine, Resolution> local = transformOf(call, inherited);
      return buildAll(call.children, call.place, transform * local.first, local.second, depth, "group");
    }
    fail(call, "unknown object or operation");
  }

  SceneNode operation(const CsgCall& call, const Affine& transform, const Resolution& resolution, int depth) {
    SceneNode node;
    node.name = call.name;
    node.place = call.place;
    const bool isDifference = call.name == "difference", isIntersection = call.name == "intersection";
    node.operation = isDifference     ? SceneOperation::Difference
                     : isIntersection ? SceneOperation::Intersection
                                      : SceneOperation::Union;
    for (const CsgCall& childCall : call.children) {
      if (childCall.modifier == '%' || childCall.modifier == '*') continue;
      SceneNode child = build(childCall, transform, resolution, depth + 1);
      if (isEmpty(child)) {
        // Nothing minus anything, and anything meet nothing, is nothing.
        if ((isDifference && node.children.empty()) || isIntersection) return SceneNode{};
        continue;
      }
      node.children.push_back(std::move(child));
    }
    return collapse(std::move(node));
  }

  std::pair<Affine, Resolution> transformOf(const CsgCall& call, const Resolution& inherited) const {
    const std::string& n = call.name;
    if (n == "multmatrix") {
      const CsgArguments args(file_, call, {"m"});
      return {args.matrix("m"), args.resolution(inherited)};
    }
    if (n == "translate") {
      const CsgArguments args(file_, call, {"v"});
      return {translationBy(args.vector("v", {}, 0.0, false)), args.resolution(inherited)};
    }
    if (n == "scale") {
      const CsgArguments args(file_, call, {"v"});
      return {scalingBy(args.vector("v", {1, 1, 1}, 1.0, true)), args.resolution(inherited)};
    }
    if (n == "mirror") {
      const CsgArguments args(file_, call, {"v"});
      const Vec3 v = args.vector("v", {1, 0, 0}, 0.0, false);
      return {dot(v, v) > 0 ? mirrorIn(v) : Affine{}, args.resolution(inherited)};
    }
    const CsgArguments args(file_, call, {"a", "v"});
    const CsgValue* a = args.find("a");
    if (a != nullptr && a->kind == CsgValue::Kind::Vector) {
      if (a->items.size() > 3) args.fail(a->place, "rotate: 'a' must be a number or a vector of up to 3 angles");
      double angles[3] = {0, 0, 0};
      for (std::size_t i = 0; i < a->items.size(); ++i) angles[i] = args.numberOf(a->items[i], "every angle");
      return {rotationXyz({angles[0], angles[1], angles[2]}), args.resolution(inherited)};
    }
    const double angle = args.number("a", 0.0);
    const Vec3 axis = args.vector("v", {0, 0, 1}, 0.0, false);
    return {dot(axis, axis) > 0 ? rotationAbout(angle, axis) : Affine{}, args.resolution(inherited)};
  }

  int fragments(const CsgCall& call, double r, const Resolution& resolution) const {
    const double count = fragmentsFromRadius(r, resolution);
    if (count > kMaxFragments) {
      fail(call, "a circle of " + std::to_string(static_cast<long long>(count)) +
                     " fragments is more than the limit of " + std::to_string(kMaxFragments) +
                     " (lower $fn, or raise $fa or $fs)");
    }
    return static_cast<int>(count);
  }

  Mesh primitive(const CsgCall& call, const Resolution& inherited) const {
    const std::string& n = call.name;
    if (n == "cube") {
      const CsgArguments args(file_, call, {"size", "center"});
      claim(call, 6);
      return makeBox(args.vector("size", {1, 1, 1}, 1.0, true), args.flag("center", false));
    }
    if (n == "sphere") {
      const CsgArguments args(file_, call, {"r", "d"});
      const double r = args.find("d") != nullptr ? args.number("d", 2.0) / 2 : args.number("r", 1.0);
      const int count = fragments(call, r, args.resolution(inherited));
      claim(call, std::size_t((count + 1) / 2) * std::size_t(count));
      return makeSphere(r, count);
    }
    if (n == "cylinder") {
      const CsgArguments args(file_, call, {"h", "r1", "r2", "center", "r", "d", "d1", "d2"});
      double r = args.find("d") != nullptr ? args.number("d", 2.0) / 2 : args.number("r", 1.0);
      const double r1 = args.find("d1") != nullptr ? args.number("d1", 2.0) / 2 : args.number("r1", r);
      const double r2 = args.find("d2") != nullptr ? args.number("d2", 2.0) / 2 : args.number("r2", r);
      const double h = args.number("h", 1.0);
      const int count = fragments(call, std::fmax(r1, r2), args.resolution(inherited));
      claim(call, std::size_t(count) + 2);
      return makeCylinder(h, r1, r2, args.flag("center", false), count);
    }
    Mesh mesh = polyhedronMesh(file_, call);
    claim(call, mesh.faces.size());
    return mesh;
  }

  // Counts faces against the scene's limit before they are made.
  void claim(const CsgCall& call, std::size_t faces) const {
    polygons_ += faces;
    if (polygons_ > kMaxScenePolygons) {
      fail(call, "the scene would have more than " + std::to_string(kMaxScenePolygons) + " polygons");
    }
    depthShares_ += std::min(faces, kSolidDepthShare);
    if (depthShares_ > kMaxSceneDepthShares) {
      fail(call, "too many solids: their tree would be too deep (each counts its faces, at most " +
                     std::to_string(kSolidDepthShare) + ", against " + std::to_string(kMaxSceneDepthShares) + ")");
    }
  }

  SceneNode solid(const CsgCall& call, const Affine& transform, const Resolution& inherited) {
    SceneNode node;
    node.kind = SceneNode::Kind::Solid;
    node.name = call.name;
    node.place = call.place;
    if (transform.determinant() == 0.0) return node;  // flattened: no volume
    node.mesh = primitive(call, inherited);
    transformMesh(node.mesh, transform);
    for (const Vec3& p : node.mesh.points) {
      if (!(std::fabs(p.x) <= kMaxMagnitude && std::fabs(p.y) <= kMaxMagnitude && std::fabs(p.z) <= kMaxMagnitude)) {
        fail(call, "a point lies beyond 1e15 from the origin once transformed");
      }
    }
    return node;
  }

  const std::string& file_;
  mutable std::size_t polygons_ = 0;
  mutable std::size_t depthShares_ = 0;
};

}  // namespace

Scene buildCsgScene(const CsgFile& file) {
  Scene scene;
  scene.file = file.name;
  scene.root = Builder(file.name).buildAll(file.statements, TextPlace{1, 1}, Affine{}, Resolution{}, 0, "union");
  return scene;
}
