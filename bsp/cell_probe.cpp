#include "bsp/cell_probe.h"

#include <cmath>

namespace {

struct V {
  double x, y, z;
};

V operator+(V a, V b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V operator-(V a, V b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V operator*(V a, double s) { return {a.x * s, a.y * s, a.z * s}; }
V cross(V a, V b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dot(V a, V b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V unit(V a) { return a * (1.0 / std::sqrt(dot(a, a))); }

struct PlaneD {
  V n;
  double d;
  double value(V p) const { return dot(n, p) + d; }
};

PlaneD wide(const Plane& p) { return {{p.x, p.y, p.z}, p.w}; }

// Keeps the part of a convex ring where the plane value is at most 0;
// kept is scratch space, so that a deep path costs no allocation per plane.
void keepBehind(std::vector<V>& ring, const PlaneD& plane, std::vector<V>& kept) {
  kept.clear();
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const V prev = ring[(i + ring.size() - 1) % ring.size()], cur = ring[i];
    const double sp = plane.value(prev), sc = plane.value(cur);
    if ((sp > 0) != (sc > 0)) kept.push_back(prev + (cur - prev) * (sp / (sp - sc)));
    if (sc <= 0) kept.push_back(cur);
  }
  ring.swap(kept);
}

PlaneD turned(const PlaneD& p) { return {p.n * -1.0, -p.d}; }

}  // namespace

CellProbe probeCell(BspNode& node, bool back, const TreePath& path, const Bounds& box, double distance) {
  CellProbe probe{&node, back, false, Point3()};
  const PlaneD plane = wide(node.plane);
  const V centre{(box.min[0] + box.max[0]) / 2, (box.min[1] + box.max[1]) / 2, (box.min[2] + box.max[2]) / 2};
  const V foot = centre - plane.n * plane.value(centre);
  const double r = box.extent() * 2 + distance;
  const V n = plane.n;
  const V axis = std::fabs(n.x) <= std::fabs(n.y) && std::fabs(n.x) <= std::fabs(n.z) ? V{1, 0, 0}
                 : std::fabs(n.y) <= std::fabs(n.z)                                   ? V{0, 1, 0}
                                                                                      : V{0, 0, 1};
  const V u = unit(cross(n, axis)) * r, v = unit(cross(n, unit(cross(n, axis)))) * r;
  std::vector<V> face = {foot + u + v, foot - u + v, foot - u - v, foot + u - v};
  std::vector<V> scratch;
  scratch.reserve(16);
  for (const PathStep& step : path) {
    keepBehind(face, step.back ? wide(*step.plane) : turned(wide(*step.plane)), scratch);
  }
  for (int a = 0; a < 3; ++a) {
    V axisNormal{0, 0, 0};
    (a == 0 ? axisNormal.x : a == 1 ? axisNormal.y : axisNormal.z) = 1;
    keepBehind(face, {axisNormal, -box.max[a] - distance}, scratch);
    keepBehind(face, {axisNormal * -1.0, box.min[a] - distance}, scratch);
  }
  if (face.size() < 3) return probe;
  V middle{0, 0, 0};
  for (const V& p : face) middle = middle + p;
  middle = middle * (1.0 / face.size());
  // A sliver of a cell, between planes at a shallow angle, can be thinner
  // than distance there: the point comes closer to the face, down to below
  // what float rounding can place off it, rather than leave the cell with a
  // label an operation changes, where a face sent through it later would
  // be kept.
  for (double off = distance; !probe.found && off > distance / (1 << 18); off /= 4) {
    const V at = middle + n * (back ? -off : off);
    probe.point = Point3(static_cast<float>(at.x), static_cast<float>(at.y), static_cast<float>(at.z), 1.0f);
    // Rounded to float, the point must still be where it was meant to be.
    const V p{probe.point.x, probe.point.y, probe.point.z};
    probe.found = (plane.value(p) < 0) == back;
    for (const PathStep& step : path) probe.found = probe.found && (wide(*step.plane).value(p) < 0) == step.back;
  }
  return probe;
}

bool pointInside(const BspTree& tree, const Point3& p) {
  bool inside = false;
  for (const BspTree* t = &tree; !t->isEmpty(); t = inside ? &t->root->back : &t->root->front) {
    inside = p.dot(t->root->plane) < 0.0f;
  }
  return inside;
}
