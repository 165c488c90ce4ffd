#include "polygon/poly.h"

#include <cmath>

#include "polygon/fatal.h"

namespace {

std::uint8_t checkedVertexCount(int count) {
  if (count < 1 || count > kMaxVertexCount) fatal("polygon vertex count outside 1 to 255");
  return static_cast<std::uint8_t>(count);
}

// a + (b + c) * (d - e), each step rounded to float as N stores it; the
// term's size goes to `magnitude`.
float addProduct(float a, float b, float c, float d, float e, double& magnitude) {
  const double term = (double(b) + c) * (double(d) - e);
  magnitude += std::fabs(term);
  return static_cast<float>(double(a) + term);
}

// A Newell sum this small against the terms it came from is rounding noise
// (a ring that is collinear in exact arithmetic), and its direction would
// give the polygon a plane its own vertices lie far off.
constexpr double kNoiseRatio = 1.0 / (1 << 20);

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
  Vector3 n = zeroVector;
  double magnitude = 0.0;
  const Point3* u = &vertices[vertexCount - 1];
  for (int i = 0; i < vertexCount; ++i) {
    const Point3* v = &vertices[i];
    n.x = addProduct(n.x, u->z, v->z, u->y, v->y, magnitude);
    n.y = addProduct(n.y, u->x, v->x, u->z, v->z, magnitude);
    n.z = addProduct(n.z, u->y, v->y, u->x, v->x, magnitude);
    u = v;
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
