#include "polygon/poly.h"

#include <cmath>

#include "polygon/fatal.h"

namespace {

std::uint8_t checkedVertexCount(int count) {
  if (count < 1 || count > kMaxVertexCount) fatal("polygon vertex count outside 1 to 255");
  return static_cast<std::uint8_t>(count);
}

// a + (b + c) * (d - e), each step rounded to float as N stores it.
float addProduct(float a, float b, float c, float d, float e) {
  return static_cast<float>(double(a) + (double(b) + c) * (double(d) - e));
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
  Vector3 n = zeroVector;
  const Point3* u = &vertices[vertexCount - 1];
  for (int i = 0; i < vertexCount; ++i) {
    const Point3* v = &vertices[i];
    n.x = addProduct(n.x, u->z, v->z, u->y, v->y);
    n.y = addProduct(n.y, u->x, v->x, u->z, v->z);
    n.z = addProduct(n.z, u->y, v->y, u->x, v->x);
    u = v;
  }
  const float length = n.length();
  if (!(length > 0.0f && std::isfinite(length))) return zeroVector;
  return n.normalize();
}

void Poly::computePlane() {
  const Vector3 n = computeNormal();
  if (n.x == 0.0f && n.y == 0.0f && n.z == 0.0f) return;  // stays the null plane
  plane.setFromNormal(n, vertices[0]);
}

float Poly::intersect(const Ray& ray) const { return plane.intersect(ray); }
