#include "model/face_triangulation.h"

#include <algorithm>
#include <cmath>

namespace {

// A triangle has area enough when it is wider than this part of the
// tolerance: a result's thinnest faces, strips about twice the tolerance
// wide, have room for a fan from their centre.
constexpr double kWidthPerTolerance = 1.0 / 16;

struct Vec {
  double x, y, z;
};

Vec difference(const Point3& p, const Point3& q) { return {double(p.x) - q.x, double(p.y) - q.y, double(p.z) - q.z}; }
Vec cross(const Vec& a, const Vec& b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dot(const Vec& a, const Vec& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double length(const Vec& a) { return std::sqrt(dot(a, a)); }

class FaceCutter {
 public:
  FaceCutter(const FaceRing& ring, TriangleMesh& out, double tolerance)
      : ring_(ring), out_(out), tolerance_(tolerance), width_(kWidthPerTolerance * tolerance) {
    // Newell's sum: the face's normal whatever vertices sit on its sides.
    Vec n{0, 0, 0};
    for (std::size_t i = 0; i < ring.size(); ++i) {
      const Point3& u = at(previous(i));
      const Point3& v = at(i);
      n.x += (double(u.y) - v.y) * (double(u.z) + v.z);
      n.y += (double(u.z) - v.z) * (double(u.x) + v.x);
      n.z += (double(u.x) - v.x) * (double(u.y) + v.y);
    }
    const double l = length(n);
    normal_ = {n.x / l, n.y / l, n.z / l};
  }

  bool cut() {
    std::size_t apex = ring_.size();
    double widest = width_;
    for (std::size_t i = 0; i < ring_.size(); ++i) {
      if (!isCorner(previous(i)) || !isCorner(i) || !isCorner(next(i))) continue;
      const double narrowest = narrowestFanTriangle(at(i), i);
      if (narrowest > widest) {
        widest = narrowest;
        apex = i;
      }
    }
    if (apex < ring_.size()) {
      for (std::size_t k = 1; k + 1 < ring_.size(); ++k) {
        out_.triangles.push_back({ring_[apex], ring_[(apex + k) % ring_.size()], ring_[(apex + k + 1) % ring_.size()]});
      }
      return true;
    }
    return fanFromCentre();
  }

 private:
  const Point3& at(std::size_t i) const { return out_.vertices[ring_[i]]; }
  std::size_t previous(std::size_t i) const { return i == 0 ? ring_.size() - 1 : i - 1; }
  std::size_t next(std::size_t i) const { return i + 1 == ring_.size() ? 0 : i + 1; }

  // The height of tip over the line from p to q, negative when p, tip, q
  // turn against the face.
  double height(const Point3& p, const Point3& tip, const Point3& q) const {
    const Vec base = difference(q, p);
    return dot(cross(difference(tip, p), base), normal_) / length(base);
  }

  bool isCorner(std::size_t i) const { return height(at(previous(i)), at(i), at(next(i))) > tolerance_; }

  // The least height of apex over the far side of the fan's triangles;
  // `skip` is the apex's place in the ring, or ring size for none.
  double narrowestFanTriangle(const Point3& apex, std::size_t skip) const {
    double narrowest = INFINITY;
    for (std::size_t i = 0; i < ring_.size(); ++i) {
      if (i == skip || next(i) == skip) continue;
      narrowest = std::min(narrowest, height(at(next(i)), apex, at(i)));
    }
    return narrowest;
  }

  bool fanFromCentre() {
    double sum[3] = {0, 0, 0};
    for (std::size_t i = 0; i < ring_.size(); ++i) {
      sum[0] += at(i).x;
      sum[1] += at(i).y;
      sum[2] += at(i).z;
    }
    const double n = static_cast<double>(ring_.size());
    const Point3 centre(static_cast<float>(sum[0] / n), static_cast<float>(sum[1] / n),
                        static_cast<float>(sum[2] / n), 1.0f);
    if (!(narrowestFanTriangle(centre, ring_.size()) > width_)) return false;
    const auto c = static_cast<std::uint32_t>(out_.vertices.size());
    out_.vertices.push_back(centre);
    for (std::size_t i = 0; i < ring_.size(); ++i) out_.triangles.push_back({c, ring_[i], ring_[next(i)]});
    return true;
  }

  const FaceRing& ring_;
  TriangleMesh& out_;
  double tolerance_;  // corners stand further than this off their neighbours' line
  double width_;      // the least height of a triangle made
  Vec normal_{0, 0, 0};
};

}  // namespace

bool triangulateFaces(const ClosedMesh& mesh, TriangleMesh& triangulated) {
  triangulated.vertices = mesh.vertices;
  triangulated.triangles.clear();
  for (const FaceRing& ring : mesh.faces) {
    if (!FaceCutter(ring, triangulated, mesh.tolerance).cut()) return false;
  }
  return true;
}
