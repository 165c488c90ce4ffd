#include "model/face_triangulation.h"

#include <algorithm>
#include <cmath>

namespace {

// An ear counts as wide when its least height is above this part of the
// tolerance: a result's thinnest faces, strips about twice the tolerance
// wide, still cut into wide ears.
constexpr double kWidthPerTolerance = 1.0 / 16;

struct Vec {
  double x, y, z;
};

Vec difference(const Point3& p, const Point3& q) { return {double(p.x) - q.x, double(p.y) - q.y, double(p.z) - q.z}; }
Vec cross(const Vec& a, const Vec& b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dot(const Vec& a, const Vec& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// How good a cut an ear is: wide ones before narrow ones, then by shape.
struct EarRank {
  bool wide = false;  // higher than the width, and its cut as far from every other vertex
  double shape = 0.0;  // least height over longest side; 0: no ear
  bool operator<(const EarRank& other) const {
    return wide != other.wide ? other.wide : shape < other.shape;
  }
};

class EarClipper {
 public:
  EarClipper(const std::vector<Point3>& vertices, const FaceRing& ring, double width)
      : vertices_(vertices), ring_(ring), width_(width), next_(ring.size()), previous_(ring.size()),
        rank_(ring.size()) {
    // Newell's sum: the face's normal whatever vertices sit on its sides.
    for (std::size_t i = 0; i < ring.size(); ++i) {
      const Point3& u = at(i == 0 ? ring.size() - 1 : i - 1);
      const Point3& v = at(i);
      normal_.x += (double(u.y) - v.y) * (double(u.z) + v.z);
      normal_.y += (double(u.z) - v.z) * (double(u.x) + v.x);
      normal_.z += (double(u.x) - v.x) * (double(u.y) + v.y);
      next_[i] = (i + 1) % ring.size();
      previous_[(i + 1) % ring.size()] = i;
    }
  }

  // Appends the face's triangles; false when no ear is left before the end.
  bool cut(std::vector<Triangle>& triangles) {
    std::size_t left = ring_.size();
    std::size_t first = 0;
    rankAll(first);
    while (left > 3) {
      std::size_t best = bestEar(first);
      if (rank_[best].shape == 0.0) {
        // Ranks are kept only for the corners a cut touches; one that a
        // vertex since cut off had blocked may have become an ear.
        rankAll(first);
        best = bestEar(first);
        if (rank_[best].shape == 0.0) return false;
      }
      const std::size_t before = previous_[best];
      const std::size_t after = next_[best];
      triangles.push_back({ring_[before], ring_[best], ring_[after]});
      next_[before] = after;
      previous_[after] = before;
      first = after;
      --left;
      rank_[before] = rankOf(before);
      rank_[after] = rankOf(after);
    }
    if (!(turn(at(previous_[first]), at(first), at(next_[first])) > 0.0)) return false;
    triangles.push_back({ring_[previous_[first]], ring_[first], ring_[next_[first]]});
    return true;
  }

 private:
  const Point3& at(std::size_t i) const { return vertices_[ring_[i]]; }

  // Twice the area of a, b, c along the normal, times the normal's length:
  // positive when they turn the face's way.
  double turn(const Point3& a, const Point3& b, const Point3& c) const {
    return dot(cross(difference(b, a), difference(c, a)), normal_);
  }

  std::size_t bestEar(std::size_t first) const {
    std::size_t best = first;
    for (std::size_t i = next_[first]; i != first; i = next_[i]) {
      if (rank_[best] < rank_[i]) best = i;
    }
    return best;
  }

  void rankAll(std::size_t first) {
    std::size_t i = first;
    do {
      rank_[i] = rankOf(i);
      i = next_[i];
    } while (i != first);
  }

  EarRank rankOf(std::size_t i) const {
    const Point3& a = at(previous_[i]);
    const Point3& b = at(i);
    const Point3& c = at(next_[i]);
    const double scale = std::sqrt(dot(normal_, normal_));
    const double twiceArea = turn(a, b, c) / scale;
    if (!(twiceArea > 0.0)) return {};
    const double cut = std::sqrt(dot(difference(a, c), difference(a, c)));
    bool clear = true;
    for (std::size_t j = next_[next_[i]]; j != previous_[i]; j = next_[j]) {
      const Point3& p = at(j);
      const double acrossCut = turn(c, a, p);
      // A vertex on the triangle's border counts as inside: cutting there
      // would leave a polygon that touches itself.
      if (turn(a, b, p) >= 0.0 && turn(b, c, p) >= 0.0 && acrossCut >= 0.0) return {};
      // One just outside the cut would be left almost on the new side,
      // where the neighbour it has along a straight run makes a sliver.
      if (std::fabs(acrossCut) / scale <= width_ * cut && nearSegment(p, c, a)) clear = false;
    }
    const double longest = std::sqrt(std::max({dot(difference(b, a), difference(b, a)),
                                               dot(difference(c, b), difference(c, b)), cut * cut}));
    const double height = twiceArea / longest;
    return {clear && height > width_, height / longest};
  }

  // True when p lies beside the segment from a to b, not beyond its ends.
  static bool nearSegment(const Point3& p, const Point3& a, const Point3& b) {
    const double along = dot(difference(p, a), difference(b, a));
    return along >= 0.0 && along <= dot(difference(b, a), difference(b, a));
  }

  const std::vector<Point3>& vertices_;
  const FaceRing& ring_;
  double width_;
  Vec normal_{0, 0, 0};
  // What is left of the ring, as a doubly linked list over its places.
  std::vector<std::size_t> next_;
  std::vector<std::size_t> previous_;
  std::vector<EarRank> rank_;
};

}  // namespace

bool triangulateFaces(const ClosedMesh& mesh, TriangleMesh& triangulated, std::string& error) {
  triangulated.vertices = mesh.vertices;
  triangulated.triangles.clear();
  for (const FaceRing& ring : mesh.faces) {
    if (!EarClipper(mesh.vertices, ring, kWidthPerTolerance * mesh.tolerance).cut(triangulated.triangles)) {
      error = "the face with a corner at " + pointText(mesh.vertices[ring[0]]) +
              " crosses itself and cannot be cut into triangles";
      return false;
    }
  }
  return true;
}
