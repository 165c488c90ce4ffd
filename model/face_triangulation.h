// Triangles from the faces of a closed mesh, for formats that hold nothing
// else.
//
// A face is planar and convex only up to the tolerance: the corners of its
// neighbours sit on its sides (model/t_junctions.h), on the line or a
// rounding step to either side of it, so a fan from one corner can give
// triangles without area, or turned over. Faces are cut by ear clipping in
// their own plane instead. An ear is a corner that turns the face's way and
// whose triangle holds no other vertex of what is left of the face; cutting
// it off leaves a simple polygon with one vertex fewer, and every simple
// polygon has one. No vertex is added and every side of the face stays a
// side of one triangle, so the triangles close up wherever the faces did.
// Of the ears, the best shaped is cut first, and one narrower than a part of
// the tolerance, or whose cut passes that close to another vertex, only when
// no other is left (model/face_triangulation.cpp): a vertex on a straight
// side becomes the foot of a triangle across the face, not the tip of a
// sliver along it.
#ifndef KELVANE_MODEL_FACE_TRIANGULATION_H
#define KELVANE_MODEL_FACE_TRIANGULATION_H

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/closed_mesh.h"

using Triangle = std::array<std::uint32_t, 3>;

struct TriangleMesh {
  std::vector<Point3> vertices;  // the closed mesh's
  std::vector<Triangle> triangles;
};

// The triangles of every face of mesh, each turning the way its face does
// and with area. Returns false, with a message naming a corner of the face,
// when a face's outline crosses itself, so that it has no ear left.
bool triangulateFaces(const ClosedMesh& mesh, TriangleMesh& triangulated, std::string& error);

#endif
