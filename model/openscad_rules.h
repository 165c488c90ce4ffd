// OpenSCAD's own arithmetic for round things, reproduced so that a scene
// gives the very vertices OpenSCAD would mesh it into.
//
// Angles are in degrees. sinDegrees and cosDegrees return the exact values
// at multiples of 30 and 45 degrees (0, 0.5, sqrt(1/2), sqrt(3)/2, 1) and
// fold every other angle into the first octant before calling the library,
// so that a circle's points are symmetric to the last bit. The number of
// fragments of a circle of radius r is $fn when that is set (at least 3),
// and otherwise the smaller of 360 / $fa and the circumference / $fs, but
// at least 5; a radius below OpenSCAD's grid gives 3.
#ifndef KELVANE_MODEL_OPENSCAD_RULES_H
#define KELVANE_MODEL_OPENSCAD_RULES_H

double sinDegrees(double degrees);
double cosDegrees(double degrees);

// The special variables that control tessellation, with OpenSCAD's defaults.
struct Resolution {
  double fn = 0.0;
  double fa = 12.0;
  double fs = 2.0;
};

// May exceed kMaxFragments; callers refuse that.
double fragmentsFromRadius(double r, const Resolution& resolution);

#endif
