// polyhedron(points, faces): OpenSCAD lists each face clockwise seen from
// outside, so the rings are reversed on the way in. The faces must close up
// (model/solid_check.h); non-convex faces and faces of more than three
// points are cut into convex pieces.
#ifndef KELVANE_MODEL_POLYHEDRON_H
#define KELVANE_MODEL_POLYHEDRON_H

#include <string>

#include "model/csg_syntax.h"
#include "model/mesh.h"

// Throws SceneError naming the face or point at fault.
Mesh polyhedronMesh(const std::string& file, const CsgCall& call);

#endif
