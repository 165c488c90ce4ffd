// Affine transforms in double precision, in OpenSCAD's convention: a point
// is a column vector, p' = M p, and in A * B the right operand acts first.
// Rotations and mirrors are built with OpenSCAD's formulas, so that a
// handwritten translate/rotate/scale/mirror gives what its multmatrix export
// gives.
#ifndef KELVANE_MODEL_AFFINE_H
#define KELVANE_MODEL_AFFINE_H

#include "model/mesh.h"

struct Affine {
  // Rows of the 3 x 4 matrix; the implied fourth row is 0 0 0 1.
  double m[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};

  Vec3 apply(const Vec3& p) const;
  double determinant() const;
};

Affine operator*(const Affine& a, const Affine& b);

Affine translationBy(const Vec3& v);
Affine scalingBy(const Vec3& v);
// Turns about x, then y, then z, by the three angles in degrees.
Affine rotationXyz(const Vec3& degrees);
// Turns by degrees about axis (not zero; normalised here).
Affine rotationAbout(double degrees, const Vec3& axis);
// Reflects in the plane through the origin normal to v (not zero).
Affine mirrorIn(const Vec3& v);

// Transforms every point; a transform that turns space inside out also
// reverses every ring, so that faces still run counterclockwise from outside.
void transformMesh(Mesh& mesh, const Affine& transform);

#endif
