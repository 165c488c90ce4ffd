// Cubic cells of a hash grid over space, for finding the points near a
// point: with cells at least as wide as the distance sought, every point
// within it lies in the 3 x 3 x 3 block of cells around the point's own.
#ifndef KELVANE_MODEL_GRID_CELL_H
#define KELVANE_MODEL_GRID_CELL_H

#include <array>
#include <cstddef>
#include <cstdint>

#include "geometry/vector.h"

using GridCell = std::array<std::int64_t, 3>;

struct GridCellHash {
  std::size_t operator()(const GridCell& c) const;
};

// The cell of p in a grid of cells `size` wide.
GridCell gridCell(const Point3& p, double size);

// Calls visit(cell) for every cell of the block around home.
template <class Visit>
void forEachCellAround(const GridCell& home, Visit visit) {
  for (std::int64_t dx = -1; dx <= 1; ++dx) {
    for (std::int64_t dy = -1; dy <= 1; ++dy) {
      for (std::int64_t dz = -1; dz <= 1; ++dz) visit(GridCell{home[0] + dx, home[1] + dy, home[2] + dz});
    }
  }
}

// The distance between two points, in double precision.
double distance(const Point3& a, const Point3& b);

#endif
