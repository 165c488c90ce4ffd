// T-junctions: where a BSP tree cut one face and not its neighbour, a
// vertex of the cut face lies inside an edge of the neighbour, and the two
// faces no longer share that edge. Resolving them puts every such vertex
// into the neighbour's ring, so that both faces run through the same
// vertices along their common side.
//
// Only an edge whose reverse no face uses can be split, and only a vertex
// at the end of such an edge can split one: the faces across a T-junction
// run along the long edge in short pieces, none of which has a partner.
// Those vertices go into a hash grid with cells about as long as the edges,
// and each unpartnered edge looks for them in the cells along its length.
#ifndef KELVANE_MODEL_T_JUNCTIONS_H
#define KELVANE_MODEL_T_JUNCTIONS_H

#include <cstddef>
#include <vector>

#include "geometry/vector.h"
#include "model/directed_edges.h"

// Inserts into every edge that no face uses in the other direction the
// vertices lying within tolerance of its inside whose pieces pair, in their
// order along it; returns how many insertions were made. Vertices must lie more than
// tolerance apart (model/vertex_weld.h).
std::size_t resolveTJunctions(const std::vector<Point3>& vertices, std::vector<FaceRing>& faces, double tolerance);

// Needles: where the CSG cut a corner of a face twice, a rounding step
// apart, the ring can run out to a vertex and back along the same line, a
// needle without width. A ring that crosses itself there, or a triangle
// along the needle, would make slivers, so each needle is folded away: its
// tip leaves the ring, and its foot (the vertex within reach of the inside
// of the long side) goes into the face across that side. Where no face is
// across, because the CSG left the long side open a tolerance off the
// faces beyond, which run through the foot, the tip only leaves, when that
// pairs all three sides. No paired edge is left open; no area changes but
// the needle's. Returns how many were folded.
std::size_t foldNeedles(const std::vector<Point3>& vertices, std::vector<FaceRing>& faces, double reach);

#endif
