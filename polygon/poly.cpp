#include "polygon/poly.h"

#include <cmath>
#include <limits>

#include "polygon/fatal.h"

namespace {

std::uint8_t checkedVertexCount(int count) {
  if (count < 1 || count > kMaxVertexCount) fatal("polygon vertex count outside 1 to 255");
  return static_cast<std::uint8_t>(count);
}

// One vertex's coordinates in double, converted once: each takes part in
// two edges' terms on every axis.
struct Wide {
  double x, y, z;
  explicit Wide(const Point3& p) : x(p.x), y(p.y), z(p.z) {}
};

// sum + term, rounded to float as N stores it; the term's size goes to
// `magnitude`.
float addTerm(float sum, double term, double& magnitude) {
  magnitude += std::fabs(term);
  return static_cast<float>(double(sum) + term);
}

// A Newell sum this small against the terms it came from is rounding noise
// (a ring that is collinear in exact arithmetic), and its direction would
// give the polygon a plane its own vertices lie far off.
constexpr double kNoiseRatio = 1.0 / (1 << 20);

// Terms this much larger than their sum mean a ring far from the origin
// against its size (a box of size 2 at 1e6): the float sums have cancelled
// most of their digits, and the normal is worked out again from the ring
// moved to its first vertex, in double. Rings near the origin (the ratio
// is a few units for them) keep the float sums exactly as they were.
constexpr double kCancellationRatio = 256.0;

// Newell's sums over the ring moved by -vertex 0, in double: free of the
// cancellation that distance from the origin brings.
Vector3 relativeNewell(const Point3* vertices, int count) {
  const Point3& o = vertices[0];
  double x = 0, y = 0, z = 0, magnitude = 0;
  for (int i = 0; i < count; ++i) {
    const Point3& u = vertices[i == 0 ? count - 1 : i - 1];
    const Point3& v = vertices[i];
    const double ux = double(u.x) - o.x, uy = double(u.y) - o.y, uz = double(u.z) - o.z;
    const double vx = double(v.x) - o.x, vy = double(v.y) - o.y, vz = double(v.z) - o.z;
    const double tx = (uz + vz) * (uy - vy), ty = (ux + vx) * (uz - vz), tz = (uy + vy) * (ux - vx);
    x += tx;
    y += ty;
    z += tz;
    magnitude += std::fabs(tx) + std::fabs(ty) + std::fabs(tz);
  }
  const double length = std::sqrt(x * x + y * y + z * z);
  if (!(length > 0.0 && std::isfinite(length)) || length <= magnitude * kNoiseRatio) return zeroVector;
  return Vector3(static_cast<float>(x / length), static_cast<float>(y / length), static_cast<float>(z / length));
}

}  // namespace

Poly::Poly(int count)
    : vertexCount(checkedVertexCount(count)),
      vertices(vertexCount <= kInlineVertexCount ? inlineRing : new Point3[vertexCount]) {}

Poly::Poly(const Point3* points, int count, const std::int32_t* indices) : Poly(count) {
  for (int i = 0; i < vertexCount; ++i) vertices[i] = points[indices[i]];
  computePlane();
}

Poly::Poly(const Point3* points, int count) : Poly(count) {
  for (int i = 0; i < vertexCount; ++i) vertices[i] = points[i];
  computePlane();
}

Poly::~Poly() {
  if (vertices != inlineRing) delete[] vertices;
}

Vector3 Poly::computeNormal() const {
  // The sums in locals: stored into n after every term, they would be
  // written back and read again, as a float store might change the ring.
  float nx = 0.0f, ny = 0.0f, nz = 0.0f;
  double magnitude = 0.0;
  const Point3* ring = vertices;
  const int count = vertexCount;
  Wide u(ring[count - 1]);
  for (int i = 0; i < count; ++i) {
    const Wide v(ring[i]);
    nx = addTerm(nx, (u.z + v.z) * (u.y - v.y), magnitude);
    ny = addTerm(ny, (u.x + v.x) * (u.z - v.z), magnitude);
    nz = addTerm(nz, (u.y + v.y) * (u.x - v.x), magnitude);
    u = v;
  }
  Vector3 n(nx, ny, nz);
  // In double: the sums of a ring of size 1e10 have a square beyond the
  // float range, whose float length would make the ring look degenerate.
  const double wide = std::sqrt(double(n.x) * n.x + double(n.y) * n.y + double(n.z) * n.z);
  if (wide > 0.0 && std::isfinite(wide) && std::isfinite(magnitude) &&
      (magnitude > wide * kCancellationRatio || wide * wide > std::numeric_limits<float>::max())) {
    return relativeNewell(vertices, vertexCount);
  }
  const float length = n.length();
  if (!(length > 0.0f && std::isfinite(length)) || length <= magnitude * kNoiseRatio) return zeroVector;
  return n.normalize();
}

void Poly::computePlane() {
  const Vector3 n = computeNormal();
  if (n.x == 0.0f && n.y == 0.0f && n.z == 0.0f) return;  // stays the null plane
  plane.setFromNormal(n, vertices[0]);
}

float Poly::intersect(const Ray& ray) const { return plane.intersect(ray); }
