#ifndef KELVANE_BSP_SPLIT_H
#define KELVANE_BSP_SPLIT_H

#include <optional>

#include "bsp/side.h"
#include "polygon/convex_parts.h"
#include "polygon/plane.h"
#include "polygon/poly_ref.h"

// Points each scratch array of splitPoly holds: convex polygons of up to 63
// vertices split without touching the heap.
constexpr int kSplitCapacity = 64;

// Classifies poly against plane with the tolerance kEpsilon and, for a
// polygon that crosses it, cuts it in two. Back or Front: that out-handle
// gets poly itself. Spanning: front gets a new polygon of the front piece,
// then back one of the back piece, both in poly's winding. On: neither. The
// handle the result does not name keeps what it held. Not re-entrant.
// A piece beyond 255 vertices fits no polygon: it ends the program here
// (fatal.h); the tree operations use splitPolyWithin, which has no limit.
Side splitPoly(const PolyRef& poly, const Plane& plane, PolyRef& back, PolyRef& front);

// Most parts one piece can come in: a piece has at most two points per
// vertex of the polygon cut (each vertex, each crossing).
constexpr int kMaxParts = convexPartCount(2 * kMaxVertexCount);

// The two pieces of a crossing polygon, each as one polygon or, beyond
// kMaxVertexCount vertices, as coplanar convex parts; unused slots are empty.
struct SplitParts {
  PolyRef back[kMaxParts];
  PolyRef front[kMaxParts];
};

// Sines of angles up to this between a polygon's plane and another count
// as parallel: well below the angle between neighbouring facets of a fine
// sphere (0.025 for 256 segments). Only a piece smaller than about a
// thousand float steps can come out tilted this much by rounding alone,
// and for one that small either side is a choice within the tolerance.
constexpr double kMaxTilt = 1e-3;

// The side of poly, all of whose vertices lie within tolerance of plane:
// On when its own plane is parallel within kMaxTilt, else the side of its
// farthest vertex.
Side tiltedSide(const Poly& poly, const Plane& plane);

// splitPoly with the tolerance given and no limit on the pieces: parts is
// filled for Spanning only, and poly itself is the answer otherwise. A ring
// that passes from side to side more than twice, which a convex ring does
// only through rounding, counts as On; one within the tolerance counts as
// tiltedSide says; a near vertex whose edges would cross the plane more
// than the tolerance from it is cut off at the plane.
Side splitPolyWithin(const PolyRef& poly, const Plane& plane, float tolerance, SplitParts& parts);

// The same, with room for the pieces made only for a crossing polygon (the
// rare case: most polygons a tree operation meets lie on one side), and the
// pieces of a side made only when asked for; the other side's slots stay
// empty, which saves making polygons that the caller would drop at once.
Side splitPolyWithin(const PolyRef& poly, const Plane& plane, float tolerance, std::optional<SplitParts>& parts,
                     bool makeBack, bool makeFront);

#endif
