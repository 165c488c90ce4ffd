#include "model/grid_cell.h"

#include <cmath>

std::size_t GridCellHash::operator()(const GridCell& c) const {
  std::uint64_t h = 1469598103934665603ull;
  for (const std::int64_t v : c) h = (h ^ static_cast<std::uint64_t>(v)) * 1099511628211ull;
  return static_cast<std::size_t>(h ^ (h >> 29));
}

GridCell gridCell(const Point3& p, double size) {
  return {static_cast<std::int64_t>(std::floor(p.x / size)), static_cast<std::int64_t>(std::floor(p.y / size)),
          static_cast<std::int64_t>(std::floor(p.z / size))};
}

double distance(const Point3& a, const Point3& b) {
  const double dx = double(a.x) - b.x;
  const double dy = double(a.y) - b.y;
  const double dz = double(a.z) - b.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}
