// Triangles from the convex faces of a closed mesh, for formats that hold
// nothing else.
//
// A face may carry vertices on its sides (model/t_junctions.h), so a fan
// from just any corner can give triangles without area: those whose two
// far corners lie on a side through the fan's apex. A fan from a corner
// whose own two sides carry no such vertex has none, and is used when one
// exists whose every triangle is wider than a part of the mesh's tolerance
// (model/face_triangulation.cpp). Otherwise
// (a triangle with a vertex on every side, a strip too narrow for a fan
// along it) the face is fanned from its centre, a new vertex inside it.
#ifndef KELVANE_MODEL_FACE_TRIANGULATION_H
#define KELVANE_MODEL_FACE_TRIANGULATION_H

#include <array>
#include <cstdint>
#include <vector>

#include "model/closed_mesh.h"

using Triangle = std::array<std::uint32_t, 3>;

struct TriangleMesh {
  std::vector<Point3> vertices;  // the closed mesh's, then the face centres used
  std::vector<Triangle> triangles;
};

// The triangles of every face of mesh, each turning the way its face does.
// Returns false when a face has no triangulation that wide (a face that is
// not convex).
bool triangulateFaces(const ClosedMesh& mesh, TriangleMesh& triangulated);

#endif
