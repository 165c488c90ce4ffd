// A mesh as the core's polygons: points rounded to float once, each face one
// convex polygon, or a fan of them when it has more points than a polygon
// may hold.
#ifndef KELVANE_MODEL_MESH_POLYGONS_H
#define KELVANE_MODEL_MESH_POLYGONS_H

#include "model/mesh.h"
#include "polygon/poly_list_ref.h"

// Largest piece of a face; splitting may add a point or two to each piece,
// so this leaves room below the core's kMaxVertexCount.
constexpr int kMaxPieceVertices = 128;

// A new list of mesh's faces, in face order from the list's tail.
PolyListRef meshPolygons(const Mesh& mesh);

#endif
