// A plane is its four coefficients (a, b, c, d) held as a Tuple4, so that the
// dot product of a Point3 with the plane is the point's signed distance:
// positive on the side the unit normal (a, b, c) points to.
#ifndef KELVANE_POLYGON_PLANE_H
#define KELVANE_POLYGON_PLANE_H

#include "geometry/vector.h"
#include "polygon/primitive.h"

class Plane : public Primitive, public Tuple4 {
 public:
  // The null plane (0, 0, 0, 0) until one of the two setters below runs.
  Plane() : Tuple4(0.0f, 0.0f, 0.0f, 0.0f) {}
  Plane(const Plane& other) = default;

  // Takes the four coefficients and nothing else.
  Plane& operator=(const Plane& other) {
    set(other.x, other.y, other.z, other.w);
    return *this;
  }

  // The plane through p with normal n: (n.x, n.y, n.z, -(n . p)).
  void setFromNormal(const Vector3& n, const Point3& p);

  // The t at which the ray meets the plane, unclamped; -1 when the ray runs
  // parallel within kEpsilon, which a genuine hit at t = -1 cannot be told
  // apart from.
  float intersect(const Ray& ray) const override;
};

#endif
