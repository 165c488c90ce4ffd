#include "model/mesh_export.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "model/closed_mesh.h"
#include "model/face_triangulation.h"
#include "support/whole_file.h"

namespace {

constexpr char kStlHeader[] = "binary STL written by kelvane";
constexpr std::size_t kStlHeaderSize = 80;

bool endsWith(const std::string& text, const char* tail) {
  const std::size_t n = std::strlen(tail);
  if (text.size() < n) return false;
  for (std::size_t i = 0; i < n; ++i) {
    const char c = text[text.size() - n + i];
    if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != tail[i]) return false;
  }
  return true;
}

void putWord(std::string& out, std::uint32_t word) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((word >> (8 * i)) & 0xff));
}

void putFloat(std::string& out, float value) {
  std::uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  putWord(out, bits);
}

void putTriple(std::string& out, const Tuple4& p) {
  putFloat(out, p.x);
  putFloat(out, p.y);
  putFloat(out, p.z);
}

// The unit normal of the triangle a, b, c by the right-hand rule.
Vector3 facetNormal(const Point3& a, const Point3& b, const Point3& c) {
  const double u[3] = {double(b.x) - a.x, double(b.y) - a.y, double(b.z) - a.z};
  const double v[3] = {double(c.x) - a.x, double(c.y) - a.y, double(c.z) - a.z};
  const double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
  const double l = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
  return Vector3(static_cast<float>(n[0] / l), static_cast<float>(n[1] / l), static_cast<float>(n[2] / l));
}

std::string stlFile(const TriangleMesh& mesh) {
  std::string out(kStlHeaderSize, ' ');
  out.replace(0, sizeof kStlHeader - 1, kStlHeader);
  putWord(out, static_cast<std::uint32_t>(mesh.triangles.size()));
  for (const Triangle& t : mesh.triangles) {
    const Point3& a = mesh.vertices[t[0]];
    const Point3& b = mesh.vertices[t[1]];
    const Point3& c = mesh.vertices[t[2]];
    putTriple(out, facetNormal(a, b, c));
    putTriple(out, a);
    putTriple(out, b);
    putTriple(out, c);
    out.append(2, '\0');
  }
  return out;
}

std::string objFile(const ClosedMesh& mesh) {
  std::string out = "# written by kelvane: a closed, outward-facing mesh\n";
  char line[128];
  for (const Point3& p : mesh.vertices) {
    // Nine significant digits give back every float exactly.
    std::snprintf(line, sizeof line, "v %.9g %.9g %.9g\n", p.x, p.y, p.z);
    out += line;
  }
  for (const FaceRing& ring : mesh.faces) {
    out += 'f';
    for (const std::uint32_t v : ring) out += ' ' + std::to_string(v + 1);
    out += '\n';
  }
  return out;
}

}  // namespace

bool meshFormatFor(const std::string& path, MeshFormat& format) {
  if (endsWith(path, ".stl")) {
    format = MeshFormat::Stl;
  } else if (endsWith(path, ".obj")) {
    format = MeshFormat::Obj;
  } else {
    return false;
  }
  return true;
}

bool exportMesh(const PolyListRef& polygons, const std::string& path, MeshFormat format, ExportedMesh& exported,
                std::string& error) {
  ClosedMesh mesh;
  if (!buildClosedMesh(polygons, mesh, error)) return false;
  std::string bytes;
  if (format == MeshFormat::Stl) {
    TriangleMesh triangulated;
    if (!triangulateFaces(mesh, triangulated, error)) return false;
    bytes = stlFile(triangulated);
    exported.vertices = triangulated.vertices.size();
    exported.faces = triangulated.triangles.size();
  } else {
    bytes = objFile(mesh);
    exported.vertices = mesh.vertices.size();
    exported.faces = mesh.faces.size();
  }
  return support::writeWholeFile(path, bytes, error);
}
