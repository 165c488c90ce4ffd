#include "model/polyhedron.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/csg_arguments.h"
#include "model/solid_check.h"

Mesh polyhedronMesh(const std::string& file, const CsgCall& call) {
  const CsgArguments args(file, call, {"points", "faces", "convexity", "triangles"});
  const CsgValue* points = args.find("points");
  const CsgValue* faces = args.find("faces");
  if (faces == nullptr) faces = args.find("triangles");
  if (points == nullptr || points->kind != CsgValue::Kind::Vector) {
    args.fail(points ? points->place : call.place, "polyhedron: 'points' must be a vector of [x, y, z] points");
  }
  if (faces == nullptr || faces->kind != CsgValue::Kind::Vector) {
    args.fail(faces ? faces->place : call.place, "polyhedron: 'faces' must be a vector of faces");
  }
  Mesh mesh;
  for (const CsgValue& p : points->items) {
    if (p.kind != CsgValue::Kind::Vector || p.items.size() != 3)
      args.fail(p.place, "polyhedron: a point must be [x, y, z]");
    mesh.points.push_back({args.numberOf(p.items[0], "a coordinate"), args.numberOf(p.items[1], "a coordinate"),
                           args.numberOf(p.items[2], "a coordinate")});
  }
  std::vector<TextPlace> places;
  for (const CsgValue& face : faces->items) {
    if (face.kind != CsgValue::Kind::Vector)
      args.fail(face.place, "polyhedron: a face must be a vector of point indices");
    Ring ring;
    for (const CsgValue& index : face.items) {
      const double i = args.numberOf(index, "a point index");
      if (i < 0 || i >= double(mesh.points.size()) || i != std::floor(i)) {
        char shown[32];
        std::snprintf(shown, sizeof shown, "%.17g", i);
        args.fail(index.place, std::string("polyhedron: point index ") + shown + " is not one of the " +
                                   std::to_string(mesh.points.size()) + " points (counted from 0)");
      }
      ring.push_back(static_cast<int>(i));
    }
    std::reverse(ring.begin(), ring.end());
    if (!tidyRing(ring)) continue;
    mesh.faces.push_back(std::move(ring));
    places.push_back(face.place);
  }
  return checkedSolid(std::move(mesh), [&](std::size_t face, const std::string& message) {
    if (face == kWholeSolid) return SceneError(file, call.place, "polyhedron: " + message);
    return SceneError(file, places[face], "polyhedron: " + message);
  });
}
