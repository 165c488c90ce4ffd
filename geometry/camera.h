// The eye and the one matrix that takes world points to the screen plane.
//
// The view frame has its origin on the picture plane, at distance d in front
// of the eye towards the target, where d = 1 / tan(fov / 2). Its axes are
// right-handed: x to the right, y up (the up direction is fixed at +y), z back
// towards the eye. After the perspective divide, a point seen at half the
// field of view off the view axis lands at distance 1 from the centre; the
// eye itself gets w = 0 and points behind it a negative w.
#ifndef KELVANE_GEOMETRY_CAMERA_H
#define KELVANE_GEOMETRY_CAMERA_H

#include "geometry/matrix.h"
#include "geometry/vector.h"

struct Camera {
  Point3 eye;
  Matrix4 viewProjection;
  Matrix4 inverseViewProjection;

  Camera(const Point3& eye, const Point3& target, float degrees);

  // Rebuilds all three fields. An eye equal to the target, a view direction
  // along +y or a zero angle give non-finite matrices.
  void lookAt(const Point3& eye, const Point3& target, float degrees);
};

#endif
