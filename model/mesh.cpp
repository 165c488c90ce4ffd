#include "model/mesh.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>

namespace {

std::string pointText(const Vec3& p) {
  char text[96];
  std::snprintf(text, sizeof text, "(%.9g, %.9g, %.9g)", p.x, p.y, p.z);
  return text;
}

std::string edgeText(const Mesh& mesh, int from, int to) {
  return "edge " + pointText(mesh.points[std::size_t(from)]) + " to " + pointText(mesh.points[std::size_t(to)]);
}

}  // namespace

void Mesh::append(const Mesh& other) {
  const int base = static_cast<int>(points.size());
  points.insert(points.end(), other.points.begin(), other.points.end());
  for (Ring ring : other.faces) {
    for (int& i : ring) i += base;
    faces.push_back(std::move(ring));
  }
}

double Mesh::signedVolume() const {
  double sixTimes = 0.0;
  for (const Ring& ring : faces) {
    const Vec3& a = points[std::size_t(ring[0])];
    for (std::size_t i = 1; i + 1 < ring.size(); ++i) {
      sixTimes += dot(a, cross(points[std::size_t(ring[i])], points[std::size_t(ring[i + 1])]));
    }
  }
  return sixTimes / 6.0;
}

Vec3 newellNormal(const std::vector<Vec3>& points, const Ring& ring) {
  Vec3 n;
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const Vec3& u = points[std::size_t(ring[(i + ring.size() - 1) % ring.size()])];
    const Vec3& v = points[std::size_t(ring[i])];
    n.x += (u.y - v.y) * (u.z + v.z);
    n.y += (u.z - v.z) * (u.x + v.x);
    n.z += (u.x - v.x) * (u.y + v.y);
  }
  return n;
}

std::optional<MeshFault> findMeshFault(const Mesh& mesh) {
  std::map<std::pair<int, int>, std::size_t> edges;
  for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
    const Ring& ring = mesh.faces[f];
    for (std::size_t i = 0; i < ring.size(); ++i) {
      const int from = ring[i], to = ring[(i + 1) % ring.size()];
      if (!edges.emplace(std::make_pair(from, to), f).second) {
        return MeshFault{f, from, to,
                         edgeText(mesh, from, to) +
                             " is used twice in the same direction: more than two faces "
                             "meet there, or the faces are not oriented alike"};
      }
    }
  }
  for (const auto& [edge, face] : edges) {
    if (edges.count({edge.second, edge.first}) == 0) {
      return MeshFault{face, edge.first, edge.second,
                       edgeText(mesh, edge.first, edge.second) + " belongs to this face only: the surface is open"};
    }
  }
  const double volume = mesh.signedVolume();
  if (!(volume > 0.0)) {
    char text[160];
    std::snprintf(text, sizeof text,
                  volume < 0.0 ? "the surface is inside out (its faces enclose a volume of %.6g: they must run "
                                 "counterclockwise seen from outside)"
                               : "the surface encloses no volume (%.6g)",
                  volume);
    return MeshFault{0, 0, 0, text};
  }
  return std::nullopt;
}

bool tidyRing(Ring& ring) {
  ring.erase(std::unique(ring.begin(), ring.end()), ring.end());
  while (ring.size() > 1 && ring.front() == ring.back()) ring.pop_back();
  return ring.size() >= 3;
}
