// Judging a point against a plane after the system has cut and recut it:
// its classification tolerance plus the rounding that computing crossing
// points in floats can add, which grows with the size of the terms. A
// crossing point on an edge nearly parallel to the cutting plane can land a
// little beyond the edge (the edge vector is rounded to floats before the
// plane's dot product is taken), so the base allowance is ten tolerances:
// real misplacements are of the size of the geometry.
#ifndef KELVANE_FUZZ_PLANE_SLACK_H
#define KELVANE_FUZZ_PLANE_SLACK_H

#include <cmath>

#include "geometry/tolerance.h"
#include "geometry/vector.h"

struct PlaneValue {
  double value;  // a·x + b·y + c·z + d·w, in double precision
  double slack;  // how far beyond 0 still counts as on the plane
};

// `extra` widens the slack by an absolute amount: the rounding a point may
// carry from cuts of edges much longer than itself.
inline PlaneValue planeValue(const Tuple4& point, const Tuple4& plane, double extra = 0.0) {
  const double terms[4] = {double(point.x) * plane.x, double(point.y) * plane.y, double(point.z) * plane.z,
                           double(point.w) * plane.w};
  double value = 0.0;
  double size = 0.0;
  for (double t : terms) {
    value += t;
    size += std::fabs(t);
  }
  return {value, 10.0 * kEpsilon + 1e-5 * size + extra};
}

// False only for a value clearly on the wrong side; NaN compares as on the
// plane, as it does in the system's own classification.
inline bool notInFront(const PlaneValue& v) { return !(v.value > v.slack); }
inline bool notBehind(const PlaneValue& v) { return !(v.value < -v.slack); }

#endif
