// Keeps a composed model rotation a pure rotation.
//
// Each trackball rotation carries radius^4 (0.95^4 for the Viewer) in its
// corner cell, and composing drags would multiply those factors together
// until the determinant left single precision and the inverse, and with it
// the eye in model coordinates, stopped being finite. Dividing by the corner
// cell removes the factor exactly where the projection would have divided it
// out anyway; re-orthonormalising the 3 x 3 block (Gram-Schmidt on its rows,
// the third row made as the cross product of the first two, so the result
// keeps its handedness) stops rounding error from growing over many drags.
#ifndef KELVANE_GEOMETRY_ROTATION_CLEANUP_H
#define KELVANE_GEOMETRY_ROTATION_CLEANUP_H

#include "geometry/matrix.h"

// The pure rotation nearest to m in the sense above, with no translation and
// 1 in the corner. m must be a scaled rotation; one that is not finite or
// whose rows have no length gives the identity.
Matrix4 cleanRotation(const Matrix4& m);

#endif
