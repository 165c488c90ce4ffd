#ifndef KELVANE_POLYGON_RAY_H
#define KELVANE_POLYGON_RAY_H

#include "geometry/vector.h"

// The points origin + t * direction, for every t.
struct Ray {
  Point3 origin;
  Vector3 direction;
};

#endif
