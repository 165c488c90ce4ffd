#include "polygon/bounding_box.h"

#include "geometry/tolerance.h"

namespace {

float outBy(float coordinate, float margin) { return static_cast<float>(double(coordinate) + margin); }

}  // namespace

void BoundingBox::grow(const Point3& v) {
  if (max.x < v.x) max.x = outBy(v.x, kEpsilon);
  if (max.y < v.y) max.y = outBy(v.y, kEpsilon);
  if (max.z < v.z) max.z = outBy(v.z, kEpsilon);
  if (min.x > v.x) min.x = outBy(v.x, -kEpsilon);
  if (min.y > v.y) min.y = outBy(v.y, -kEpsilon);
  if (min.z > v.z) min.z = outBy(v.z, -kEpsilon);
}
