#include "model/vertex_weld.h"

#include <cmath>
#include <cstring>

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

VertexWelder::VertexWelder(double tolerance) : tolerance_(tolerance) {}

std::uint32_t VertexWelder::weld(const Point3& p) {
  GridCell bits{0, 0, 0};
  const float coordinates[3] = {p.x, p.y, p.z};
  for (int i = 0; i < 3; ++i) std::memcpy(&bits[i], &coordinates[i], sizeof coordinates[i]);
  const auto known = exact_.find(bits);
  if (known != exact_.end()) return known->second;
  const std::uint32_t index = weldNearby(p);
  exact_.emplace(bits, index);
  return index;
}

std::uint32_t VertexWelder::weldNearby(const Point3& p) {
  const GridCell home = gridCell(p, tolerance_);
  for (std::int64_t dx = -1; dx <= 1; ++dx) {
    for (std::int64_t dy = -1; dy <= 1; ++dy) {
      for (std::int64_t dz = -1; dz <= 1; ++dz) {
        const auto found = cells_.find({home[0] + dx, home[1] + dy, home[2] + dz});
        if (found == cells_.end()) continue;
        for (const std::uint32_t i : found->second) {
          if (distance(vertices_[i], p) <= tolerance_) return i;
        }
      }
    }
  }
  const auto index = static_cast<std::uint32_t>(vertices_.size());
  vertices_.push_back(p);
  cells_[home].push_back(index);
  return index;
}
