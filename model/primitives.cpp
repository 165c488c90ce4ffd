#include "model/primitives.h"

#include <cmath>

#include "model/openscad_rules.h"

namespace {

// The points of a circle of radius r at height z, appended to mesh; the
// index of the first. A circle of radius 0 is one point.
int addCircle(Mesh& mesh, double r, double z, int fragments) {
  const int first = static_cast<int>(mesh.points.size());
  if (r == 0.0) {
    mesh.points.push_back({0.0, 0.0, z});
    return first;
  }
  for (int i = 0; i < fragments; ++i) {
    const double phi = (360.0 * i) / fragments;
    mesh.points.push_back({r * cosDegrees(phi), r * sinDegrees(phi), z});
  }
  return first;
}

// The side between an upper circle and a lower one, each given by its first
// index and whether it is a single point.
void addBand(Mesh& mesh, int upper, bool upperIsPoint, int lower, bool lowerIsPoint, int fragments) {
  for (int i = 0; i < fragments; ++i) {
    const int j = (i + 1) % fragments;
    Ring ring;
    ring.push_back(upperIsPoint ? upper : upper + i);
    ring.push_back(lowerIsPoint ? lower : lower + i);
    if (!lowerIsPoint) ring.push_back(lower + j);
    if (!upperIsPoint) ring.push_back(upper + j);
    mesh.faces.push_back(ring);
  }
}

// The circle at first as a face seen from above (counterclockwise) or
// below.
void addCap(Mesh& mesh, int first, int fragments, bool facingUp) {
  Ring ring;
  for (int i = 0; i < fragments; ++i) ring.push_back(first + (facingUp ? i : fragments - 1 - i));
  mesh.faces.push_back(ring);
}

}  // namespace

Mesh makeBox(const Vec3& size, bool center) {
  Mesh mesh;
  if (!(size.x > 0 && size.y > 0 && size.z > 0)) return mesh;
  const Vec3 low = center ? size * -0.5 : Vec3{};
  const Vec3 high = center ? size * 0.5 : size;
  for (int i = 0; i < 8; ++i) {
    mesh.points.push_back({(i & 1) ? high.x : low.x, (i & 2) ? high.y : low.y, (i & 4) ? high.z : low.z});
  }
  // Corner i has bit 0 for +x, bit 1 for +y, bit 2 for +z.
  mesh.faces = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
  return mesh;
}

Mesh makeSphere(double r, int fragments) {
  Mesh mesh;
  if (!(r > 0.0)) return mesh;
  const int rings = (fragments + 1) / 2;
  for (int i = 0; i < rings; ++i) {
    const double phi = (180.0 * (i + 0.5)) / rings;
    addCircle(mesh, r * sinDegrees(phi), r * cosDegrees(phi), fragments);
  }
  addCap(mesh, 0, fragments, true);
  for (int i = 0; i + 1 < rings; ++i) addBand(mesh, i * fragments, false, (i + 1) * fragments, false, fragments);
  addCap(mesh, (rings - 1) * fragments, fragments, false);
  return mesh;
}

Mesh makeCylinder(double h, double r1, double r2, bool center, int fragments) {
  Mesh mesh;
  if (!(h > 0.0) || !(r1 >= 0.0 && r2 >= 0.0) || (r1 == 0.0 && r2 == 0.0)) return mesh;
  const double z1 = center ? -h / 2 : 0.0;
  const double z2 = center ? h / 2 : h;
  const int bottom = addCircle(mesh, r1, z1, fragments);
  const int top = addCircle(mesh, r2, z2, fragments);
  addBand(mesh, top, r2 == 0.0, bottom, r1 == 0.0, fragments);
  if (r1 > 0.0) addCap(mesh, bottom, fragments, false);
  if (r2 > 0.0) addCap(mesh, top, fragments, true);
  return mesh;
}
