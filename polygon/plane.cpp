#include "polygon/plane.h"

#include <cmath>

#include "geometry/tolerance.h"
#include "polygon/ray.h"

void Plane::setFromNormal(const Vector3& n, const Point3& p) { set(n.x, n.y, n.z, -n.dot(p)); }

float Plane::intersect(const Ray& ray) const {
  const float s = ray.direction.dot(*this);
  if (std::fabs(s) < kEpsilon) return -1.0f;
  return static_cast<float>(double(ray.origin.dot(*this)) / -double(s));
}
