// The one tolerance of the system, in single precision.
#ifndef KELVANE_GEOMETRY_TOLERANCE_H
#define KELVANE_GEOMETRY_TOLERANCE_H

// Below this a signed distance counts as on a plane, a cross product as
// parallel, and a box margin as nothing. It is a float on purpose: the
// comparisons it takes part in are made against stored floats.
constexpr float kEpsilon = 1e-5f;

#endif
