// The scene's one light: a direction in model coordinates, so that it turns
// with the model and every face keeps its grey level however the model is
// turned.
#ifndef KELVANE_DISPLAY_LIGHT_H
#define KELVANE_DISPLAY_LIGHT_H

#include "geometry/vector.h"

// The unit vector of (4, 8, 6), made on first use and kept for the run.
const Vector3& lightDirection();

// The grey level, 76 to 229, of a face with this unit normal: the cosine
// with the light scaled into 0.2 .. 1.0, then held within 0.3 .. 0.9 (a
// result that is not a number counts as dark).
int greyLevel(const Tuple4& normal);

#endif
