#ifndef KELVANE_POLYGON_BOUNDING_BOX_H
#define KELVANE_POLYGON_BOUNDING_BOX_H

#include "geometry/vector.h"

// An axis-aligned box with a margin of kEpsilon around every point it has
// been grown by. A new box is inside out (max below min) and becomes a true
// box with its first point; it never shrinks.
struct BoundingBox {
  Point3 max{-100000.0f, -100000.0f, -100000.0f, 1.0f};
  Point3 min{100000.0f, 100000.0f, 100000.0f, 1.0f};

  // Pushes each face out to v plus the margin where v lies strictly beyond
  // it; a point already within the margin changes nothing.
  void grow(const Point3& v);
};

#endif
