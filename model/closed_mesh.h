// The boundary of a BSP result as one closed mesh.
//
// A tree's polygons bound its solid, but not as a mesh: each polygon has
// its own copy of its corners, neighbours computed the same crossing point
// each for itself and may disagree in the last bits, and a cut that split
// one face left its neighbour whole. Building the mesh
//   1. welds corners that lie within a tolerance of each other into shared
//      vertices (model/vertex_weld.h);
//   2. drops the repeats that welding leaves in a ring, splits a ring that
//      meets itself, and drops what has no area: a sliver narrower than
//      the tolerance;
//   3. resolves T-junctions (model/t_junctions.h), first within the
//      tolerance, then what is still open within twice it, and folds away
//      needles, rings that run out and back along one line;
//   4. checks that every edge is used exactly once in each direction.
// The tolerance is the CSG's own for the result's box (bsp/bounds.h): what
// it counts as on a plane, a few float steps at the largest coordinate or
// a small fraction of the extent. A larger one would weld the corners of
// the thinnest faces a result can have.
#ifndef KELVANE_MODEL_CLOSED_MESH_H
#define KELVANE_MODEL_CLOSED_MESH_H

#include <string>
#include <vector>

#include "geometry/vector.h"
#include "model/directed_edges.h"
#include "polygon/poly_list_ref.h"

struct ClosedMesh {
  std::vector<Point3> vertices;
  // Convex rings, counterclockwise seen from outside; a ring may hold
  // vertices within tolerance of the line of its neighbours, where a
  // neighbouring face has a corner.
  std::vector<FaceRing> faces;
  double tolerance = 0.0;  // below this, two points are one
};

// Builds the mesh bounded by polygons, the faces of a solid (a BSP result);
// an empty list gives an empty mesh. Returns false with a message naming
// the place when the polygons do not close up into a 2-manifold or hold a
// coordinate that is not finite.
bool buildClosedMesh(const PolyListRef& polygons, ClosedMesh& mesh, std::string& error);

// p as messages name a place: "(x, y, z)", each coordinate read back exactly.
std::string pointText(const Point3& p);

#endif
