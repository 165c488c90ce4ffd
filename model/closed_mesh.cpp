#include "model/closed_mesh.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "bsp/bounds.h"
#include "model/t_junctions.h"
#include "model/vertex_weld.h"

namespace {

// Cut edges that the CSG left up to its tolerance apart (a near vertex it
// counted as on a plane shifts a crossing along a shallow seam) are
// searched for again with this much more reach, once the rest is closed.
constexpr double kWiderReach = 2.0;

// The rings left when repeats are dropped from ring: consecutive repeats
// simply go, and a vertex met again further on cuts off the loop between.
void separateLoops(FaceRing ring, std::vector<FaceRing>& loops) {
  for (;;) {
    ring.erase(std::unique(ring.begin(), ring.end()), ring.end());
    while (ring.size() > 1 && ring.front() == ring.back()) ring.pop_back();
    bool cut = false;
    for (std::size_t i = 0; i < ring.size() && !cut; ++i) {
      for (std::size_t j = i + 1; j < ring.size() && !cut; ++j) {
        if (ring[i] != ring[j]) continue;
        separateLoops(FaceRing(ring.begin() + i, ring.begin() + j), loops);
        ring.erase(ring.begin() + i, ring.begin() + j);
        cut = true;
      }
    }
    if (!cut) break;
  }
  if (ring.size() >= 3) loops.push_back(std::move(ring));
}

// Distance of p from the line through a and b (a != b).
double offLine(const Point3& p, const Point3& a, const Point3& b) {
  const Vector3 d = b - a;
  const Vector3 w = p - a;
  const double cx = double(w.y) * d.z - double(w.z) * d.y;
  const double cy = double(w.z) * d.x - double(w.x) * d.z;
  const double cz = double(w.x) * d.y - double(w.y) * d.x;
  return std::sqrt(cx * cx + cy * cy + cz * cz) / distance(a, b);
}

// True when every vertex of ring lies within tolerance of one line: a
// face without area.
bool isSliver(const FaceRing& ring, const std::vector<Point3>& vertices, double tolerance) {
  auto farthestFrom = [&](const Point3& p) {
    std::uint32_t best = ring[0];
    for (const std::uint32_t v : ring) {
      if (distance(vertices[v], p) > distance(vertices[best], p)) best = v;
    }
    return best;
  };
  const std::uint32_t a = farthestFrom(vertices[ring[0]]);
  const std::uint32_t b = farthestFrom(vertices[a]);
  if (a == b) return true;
  for (const std::uint32_t v : ring) {
    if (offLine(vertices[v], vertices[a], vertices[b]) > tolerance) return false;
  }
  return true;
}

// Keeps only the vertices the faces use, in the order faces first use them.
void dropUnused(ClosedMesh& mesh) {
  constexpr std::uint32_t kUnused = ~0u;
  std::vector<std::uint32_t> renumbered(mesh.vertices.size(), kUnused);
  std::vector<Point3> used;
  for (FaceRing& ring : mesh.faces) {
    for (std::uint32_t& v : ring) {
      if (renumbered[v] == kUnused) {
        renumbered[v] = static_cast<std::uint32_t>(used.size());
        used.push_back(mesh.vertices[v]);
      }
      v = renumbered[v];
    }
  }
  mesh.vertices = std::move(used);
}

}  // namespace

std::string pointText(const Point3& p) {
  char text[96];
  std::snprintf(text, sizeof text, "(%.9g, %.9g, %.9g)", p.x, p.y, p.z);
  return text;
}

bool buildClosedMesh(const PolyListRef& polygons, ClosedMesh& mesh, std::string& error) {
  mesh = ClosedMesh();
  Bounds box;
  for (const PolyNode* n = polygons->head; n != nullptr; n = n->next) {
    for (int i = 0; i < n->poly->vertexCount; ++i) {
      const Point3& p = n->poly->vertices[i];
      if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) {
        error = "a face has a corner with a coordinate that is not a finite number";
        return false;
      }
    }
    box.grow(*n->poly);
  }
  if (polygons->isEmpty()) return true;
  mesh.tolerance = toleranceFor(box);

  VertexWelder welder(mesh.tolerance);
  std::vector<FaceRing> loops;
  for (const PolyNode* n = polygons->head; n != nullptr; n = n->next) {
    FaceRing ring;
    for (int i = 0; i < n->poly->vertexCount; ++i) ring.push_back(welder.weld(n->poly->vertices[i]));
    loops.clear();
    separateLoops(std::move(ring), loops);
    for (FaceRing& loop : loops) {
      if (!isSliver(loop, welder.vertices(), mesh.tolerance)) mesh.faces.push_back(std::move(loop));
    }
  }
  mesh.vertices = welder.vertices();
  resolveTJunctions(mesh.vertices, mesh.faces, mesh.tolerance);
  resolveTJunctions(mesh.vertices, mesh.faces, kWiderReach * mesh.tolerance);
  foldNeedles(mesh.vertices, mesh.faces, kWiderReach * mesh.tolerance);

  const DirectedEdges edges(mesh.faces);
  const std::vector<DirectedEdge> open = edges.unpaired(mesh.faces);
  if (!open.empty()) {
    const DirectedEdge& e = open.front();
    const int forth = edges.count(e.from, e.to);
    const int back = edges.count(e.to, e.from);
    const std::string edge = "the edge from " + pointText(mesh.vertices[e.from]) + " to " + pointText(mesh.vertices[e.to]);
    if (forth == back) {
      // Two parts of a solid that meet along an edge: sound as a solid, but
      // no mesh file can hold it as a 2-manifold.
      error = "the solid touches itself along " + edge + ", which " + std::to_string(forth + back) +
              " faces share; a mesh file needs each edge shared by two";
    } else {
      error = "the faces do not close up: " + edge + " is used " + std::to_string(forth) +
              " times and the other way round " + std::to_string(back) + " times";
    }
    return false;
  }
  dropUnused(mesh);
  return true;
}
