#include "model/mesh_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace {

class CornerIndex {
 public:
  explicit CornerIndex(MeshFile& mesh) : mesh_(mesh) {}
  int operator()(const Corner& c) {
    const auto [it, added] = index_.emplace(c, static_cast<int>(mesh_.vertices.size()));
    if (added) mesh_.vertices.push_back(c);
    return it->second;
  }

 private:
  MeshFile& mesh_;
  std::map<Corner, int> index_;
};

using Vec = std::array<double, 3>;

Vec sub(const Corner& a, const Corner& b) { return {double(a[0]) - b[0], double(a[1]) - b[1], double(a[2]) - b[2]}; }
Vec cross(const Vec& a, const Vec& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double dot(const Vec& a, const Vec& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
double norm(const Vec& a) { return std::sqrt(dot(a, a)); }
Vec position(const Corner& c) { return {c[0], c[1], c[2]}; }

// True when p lies strictly inside the segment a-b, within a relative 1e-7.
bool inside(const Corner& p, const Corner& a, const Corner& b) {
  const Vec d = sub(b, a);
  const Vec w = sub(p, a);
  const double t = dot(w, d) / dot(d, d);
  if (!(t > 0.0 && t < 1.0)) return false;
  return norm(cross(w, d)) / norm(d) <= 1e-7 * std::max(1.0, norm(d));
}

}  // namespace

bool readStl(const std::string& path, MeshFile& mesh) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() < 84 || bytes.compare(0, 5, "solid") == 0) {
    ADD_FAILURE() << path << ": not a binary STL";
    return false;
  }
  std::uint32_t count = 0;
  std::memcpy(&count, bytes.data() + 80, 4);
  if (bytes.size() != 84 + 50ull * count) {
    ADD_FAILURE() << path << ": " << bytes.size() << " bytes for " << count << " triangles";
    return false;
  }
  CornerIndex index(mesh);
  for (std::uint32_t t = 0; t < count; ++t) {
    float f[12];
    std::memcpy(f, bytes.data() + 84 + 50 * t, sizeof f);
    mesh.stlNormals.push_back({f[0], f[1], f[2]});
    mesh.faces.push_back({index({f[3], f[4], f[5]}), index({f[6], f[7], f[8]}), index({f[9], f[10], f[11]})});
  }
  return true;
}

bool readObj(const std::string& path, MeshFile& mesh) {
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string kind;
    words >> kind;
    if (kind == "v") {
      Corner c{};
      words >> c[0] >> c[1] >> c[2];
      mesh.vertices.push_back(c);
    } else if (kind == "f") {
      std::vector<int> ring;
      for (int v = 0; words >> v;) ring.push_back(v - 1);
      mesh.faces.push_back(ring);
    } else if (!kind.empty() && kind[0] != '#') {
      ADD_FAILURE() << path << ": unexpected line " << line;
      return false;
    }
  }
  return true;
}

MeshFacts examine(const MeshFile& mesh, int tJunctionLimit) {
  MeshFacts facts;
  facts.vertices = static_cast<int>(mesh.vertices.size());
  facts.faces = static_cast<int>(mesh.faces.size());
  std::map<std::pair<int, int>, int> directed;
  for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
    const std::vector<int>& ring = mesh.faces[f];
    Vec area{0, 0, 0};
    for (std::size_t i = 0; i < ring.size(); ++i) {
      const Corner& a = mesh.vertices[ring[i]];
      const Corner& b = mesh.vertices[ring[(i + 1) % ring.size()]];
      ++directed[{ring[i], ring[(i + 1) % ring.size()]}];
      const Vec c = cross(sub(a, mesh.vertices[ring[0]]), sub(b, mesh.vertices[ring[0]]));
      for (int k = 0; k < 3; ++k) area[k] += c[k];
      facts.volume += dot(position(mesh.vertices[ring[0]]), cross(position(a), position(b))) / 6.0;
    }
    if (norm(area) == 0.0) ++facts.zeroAreaFaces;
    if (!mesh.stlNormals.empty()) {
      const Corner& n = mesh.stlNormals[f];
      for (int k = 0; k < 3; ++k) {
        if (std::fabs(n[k] - area[k] / norm(area)) > 1e-3) {
          ++facts.normalsOff;
          break;
        }
      }
    }
  }
  for (const auto& [edge, count] : directed) {
    const auto reverse = directed.find({edge.second, edge.first});
    if (count != 1 || reverse == directed.end() || reverse->second != 1) ++facts.edgesNotPaired;
    if (edge.first < edge.second || reverse == directed.end()) ++facts.edges;
    if (edge.first > edge.second || facts.vertices > tJunctionLimit) continue;
    for (int v = 0; v < facts.vertices; ++v) {
      if (inside(mesh.vertices[v], mesh.vertices[edge.first], mesh.vertices[edge.second])) ++facts.tJunctions;
    }
  }
  return facts;
}

AdmeshReport runAdmesh(const std::string& stlPath) {
  AdmeshReport report;
  FILE* pipe = popen((std::string(KELVANE_ADMESH) + " '" + stlPath + "' 2>&1").c_str(), "r");
  char buffer[256];
  while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) report.text += buffer;
  if (pipe != nullptr) pclose(pipe);
  const std::pair<const char*, int*> fields[] = {
      {"Total disconnected facets", &report.disconnectedFacets}, {"Degenerate facets", &report.degenerateFacets},
      {"Edges fixed", &report.edgesFixed},   {"Facets removed", &report.facetsRemoved},
      {"Facets added", &report.facetsAdded}, {"Facets reversed", &report.facetsReversed},
      {"Backwards edges", &report.backwardsEdges}, {"Normals fixed", &report.normalsFixed},
  };
  for (const auto& [name, value] : fields) {
    const std::size_t at = report.text.find(name);
    if (at == std::string::npos) continue;
    std::sscanf(report.text.c_str() + report.text.find(':', at) + 1, "%d", value);
  }
  return report;
}
