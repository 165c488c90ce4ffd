#include "geometry/vector.h"

const Point2 origin2(0.0f, 0.0f);
const Vector3 zeroVector(0.0f, 0.0f, 0.0f);
const Point3 originPoint(0.0f, 0.0f, 0.0f, 1.0f);
