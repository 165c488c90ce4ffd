// A solid as the readers hand it over: points in double precision and faces
// as rings of point indices, each convex and counterclockwise seen from
// outside, so that the outward normal follows the right-hand rule.
#ifndef KELVANE_MODEL_MESH_H
#define KELVANE_MODEL_MESH_H

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

struct Vec3 {
  double x = 0.0, y = 0.0, z = 0.0;
};

inline Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator*(const Vec3& a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline double dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

using Ring = std::vector<int>;

struct Mesh {
  std::vector<Vec3> points;
  std::vector<Ring> faces;

  // Appends other's points and faces.
  void append(const Mesh& other);
  // The volume enclosed, positive for outward faces (divergence theorem).
  double signedVolume() const;
};

// The unnormalised Newell normal of ring: twice its area along the normal.
Vec3 newellNormal(const std::vector<Vec3>& points, const Ring& ring);

// Why a set of rings is not the closed, consistently oriented surface of a
// solid: the face and the edge (as point indices from, to) at fault.
struct MeshFault {
  std::size_t face = 0;
  int from = 0, to = 0;
  std::string message;  // names the edge by its coordinates
};

// Checks that every edge is used exactly twice, once in each direction, and
// that the surface encloses a positive volume. Rings must have three or
// more distinct consecutive indices.
std::optional<MeshFault> findMeshFault(const Mesh& mesh);

// Removes consecutive repeats of a point (welding makes them); false when
// fewer than three points are left, and the ring bounds no area.
bool tidyRing(Ring& ring);

#endif
