// Cutting a face into convex pieces. A face that is already planar and
// convex stays whole. Any other (a non-convex outline, a bent quadrilateral)
// is cut into triangles by ear clipping in the plane it faces most: an ear
// is a corner that turns the face's way and holds no other point of the
// face, and cutting it off leaves a simple polygon with one point fewer.
#ifndef KELVANE_MODEL_FACE_CUTTING_H
#define KELVANE_MODEL_FACE_CUTTING_H

#include <vector>

#include "model/mesh.h"

// Ear clipping is quadratic; faces that need it may have this many points.
constexpr int kMaxClippedFaceSize = 2000;

// The convex pieces of ring (three or more distinct points), each running
// the same way round as ring. Empty when ring needs clipping and either is
// larger than kMaxClippedFaceSize or crosses itself, so that no ear is left.
std::vector<Ring> convexPieces(const std::vector<Vec3>& points, const Ring& ring);

#endif
