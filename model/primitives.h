// The three round-or-square primitives, tessellated with OpenSCAD's vertex
// placement: a circle of n fragments has its points at 360 i / n degrees
// from the +x axis; a cylinder or cone joins a bottom circle at z1 to a top
// circle at z2; a sphere of n fragments has (n + 1) / 2 rings of n points,
// ring i at polar angle 180 (i + 0.5) / rings from the top. Faces come out
// convex and counterclockwise seen from outside: caps whole, each band of a
// sphere or side of a cylinder as one quadrilateral per fragment (OpenSCAD
// cuts each into two triangles on the same four points), a triangle where
// a cone ends in a point. Sizes that give no solid give an empty mesh.
#ifndef KELVANE_MODEL_PRIMITIVES_H
#define KELVANE_MODEL_PRIMITIVES_H

#include "model/mesh.h"

// The box from the origin to size, or centred on the origin.
Mesh makeBox(const Vec3& size, bool center);
// fragments >= 3.
Mesh makeSphere(double r, int fragments);
// Radii r1 at the bottom and r2 at the top, not both 0; fragments >= 3.
Mesh makeCylinder(double h, double r1, double r2, bool center, int fragments);

#endif
