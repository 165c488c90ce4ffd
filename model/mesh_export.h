// Writes the result of a CSG operation as a mesh file that other programs
// take without repair: the boundary polygons become one closed, consistently
// oriented 2-manifold (model/closed_mesh.h), cut into triangles where the
// format holds nothing else (model/face_triangulation.h), and the file
// appears whole or not at all (support/whole_file.h).
//
//   STL: binary, the usual layout: an 80-byte header (never starting with
//        "solid", which would mark text), a little-endian triangle count,
//        then per triangle its unit normal, three corners and a zero word.
//   OBJ: the welded vertices, then the faces as convex polygons, 1-based.
// Coordinates are the floats of the solid's own polygons, written so that
// they read back bit for bit.
#ifndef KELVANE_MODEL_MESH_EXPORT_H
#define KELVANE_MODEL_MESH_EXPORT_H

#include <cstddef>
#include <string>

#include "polygon/poly_list_ref.h"

enum class MeshFormat { Stl, Obj };

// The format the name's extension asks for, .stl or .obj in any case;
// false when it is neither.
bool meshFormatFor(const std::string& path, MeshFormat& format);

struct ExportedMesh {
  std::size_t vertices = 0;
  std::size_t faces = 0;  // triangles for STL, polygons for OBJ
};

// Writes the solid bounded by polygons to path. Returns false, with a
// one-line message, when the polygons do not close up or the file cannot be
// written; nothing is left at path then.
bool exportMesh(const PolyListRef& polygons, const std::string& path, MeshFormat format, ExportedMesh& exported,
                std::string& error);

#endif
