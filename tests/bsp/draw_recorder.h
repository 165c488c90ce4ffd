// A drawPoly of the tests' own: it records what the traversal hands over.
#ifndef KELVANE_TESTS_BSP_DRAW_RECORDER_H
#define KELVANE_TESTS_BSP_DRAW_RECORDER_H

#include <vector>

#include "polygon/counted_poly.h"

struct DrawnPoly {
  const CountedPoly* poly;
  int refCountWhileDrawn;
};

// Everything drawPoly has been given since the last clear, in order.
std::vector<DrawnPoly>& drawnPolys();

#endif
