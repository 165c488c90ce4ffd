// The particular matrices the system is built from, on the conventions of
// matrix.h (row vectors on the left, the left factor acts first).
//
// Angles at these interfaces are in degrees. The conversion factors are the
// products of single-precision constants, so that every angle is converted
// by the same float whichever function does it.
#ifndef KELVANE_GEOMETRY_TRANSFORM_H
#define KELVANE_GEOMETRY_TRANSFORM_H

#include "geometry/matrix.h"
#include "geometry/vector.h"

constexpr float kPi = 3.14159265358979f;
constexpr float kDegreesToRadians = kPi * (1.0f / 180.0f);
constexpr float kRadiansToDegrees = 180.0f / kPi;

// A right-handed turn about +y: a quarter turn takes +x to -z and +z to +x.
Matrix4 rotationY(float degrees);

// Adds (x, y, z) times w: points move, directions do not.
Matrix4 translation(float x, float y, float z);

Matrix4 scaling(float x, float y, float z);

// Keeps x, y, z and makes w - z/d the new w: the picture plane lies at
// distance d in front of the eye.
Matrix4 perspective(float d);

// Coordinates in the frame with this origin and these axes, taken as given:
// they are neither normalised nor made orthogonal here.
Matrix4 viewFromBasis(const Vector3& xAxis, const Vector3& yAxis, const Vector3& zAxis,
                      const Point3& origin);

// The rotation of the quaternion (x, y, z, w) scaled by its squared norm N,
// with N in the corner: nothing is divided by the norm, and a point comes
// back with w = N, which the conversion to Point3 divides out.
Matrix4 rotationFromQuaternion(float x, float y, float z, float w);

// Turns through twice the angle between the two directions, about their
// cross product, in the sense that carries `from` towards `to`. Directions
// whose cross product is shorter than kEpsilon (parallel, opposite, zero or
// very short) give the identity.
Matrix4 rotationBetween(const Vector3& from, const Vector3& to);

// The full angle, in degrees, that a lens of this focal length covers on a
// frame of this size (both in the same unit).
float fieldOfView(int focalLength, float frameSize);

#endif
