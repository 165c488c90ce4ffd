// Size of a solid given by its boundary polygons, worked out in double
// precision from the stored vertices.
#ifndef KELVANE_POLYGON_MEASURE_H
#define KELVANE_POLYGON_MEASURE_H

#include "polygon/poly_list.h"

// The signed volume enclosed by the polygons (divergence theorem): positive
// for a closed, outward-facing surface, negative for an inside-out one.
double solidVolume(const PolyList& polygons);

// The summed area of the polygons.
double surfaceArea(const PolyList& polygons);

#endif
