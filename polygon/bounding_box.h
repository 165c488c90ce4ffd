#ifndef KELVANE_POLYGON_BOUNDING_BOX_H
#define KELVANE_POLYGON_BOUNDING_BOX_H

#include "geometry/tolerance.h"
#include "geometry/vector.h"

// An axis-aligned box with a margin of kEpsilon around every point it has
// been grown by. A new box is inside out (max below min) and becomes a true
// box with its first point; it never shrinks.
struct BoundingBox {
  Point3 max{-100000.0f, -100000.0f, -100000.0f, 1.0f};
  Point3 min{100000.0f, 100000.0f, 100000.0f, 1.0f};

  // Pushes each face out to v plus the margin where v lies strictly beyond
  // it; a point already within the margin changes nothing. Inline and
  // without branches: every vertex added to a list comes through here, and
  // whether a face moves is as good as random.
  void grow(const Point3& v) {
    max.x = max.x < v.x ? outBy(v.x, kEpsilon) : max.x;
    max.y = max.y < v.y ? outBy(v.y, kEpsilon) : max.y;
    max.z = max.z < v.z ? outBy(v.z, kEpsilon) : max.z;
    min.x = min.x > v.x ? outBy(v.x, -kEpsilon) : min.x;
    min.y = min.y > v.y ? outBy(v.y, -kEpsilon) : min.y;
    min.z = min.z > v.z ? outBy(v.z, -kEpsilon) : min.z;
  }

  // grow for every point of a ring, in order, the faces held in locals
  // meanwhile: written back through this after every point, they would
  // have to be, as the ring might lie inside the box for all the compiler
  // knows.
  void grow(const Point3* ring, int count) {
    BoundingBox b = *this;
    for (int i = 0; i < count; ++i) b.grow(ring[i]);
    *this = b;
  }

 private:
  static float outBy(float coordinate, float margin) { return static_cast<float>(double(coordinate) + margin); }
};

#endif
