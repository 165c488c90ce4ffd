#include "model/mesh_polygons.h"

#include <algorithm>
#include <vector>

#include "polygon/poly_ref.h"

namespace {

Point3 toPoint(const Vec3& p) {
  return Point3(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z), 1.0f);
}

}  // namespace

PolyListRef meshPolygons(const Mesh& mesh) {
  PolyListRef list;
  std::vector<Point3> ring;
  for (const Ring& face : mesh.faces) {
    // Fan pieces share the face's first point (0, k, k+1, ...), so each is
    // convex when the face is.
    const std::size_t step = kMaxPieceVertices - 2;
    for (std::size_t start = 1; start + 1 < face.size(); start += step) {
      ring.assign(1, toPoint(mesh.points[std::size_t(face[0])]));
      for (std::size_t i = start; i < std::min(face.size(), start + step + 1); ++i) {
        ring.push_back(toPoint(mesh.points[std::size_t(face[i])]));
      }
      PolyRef poly;
      poly = new CountedPoly(ring.data(), static_cast<int>(ring.size()));
      list->add(poly);
    }
  }
  return list;
}
