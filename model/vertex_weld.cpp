#include "model/vertex_weld.h"

#include <cstring>

namespace {

constexpr std::uint32_t kNone = ~0u;

}  // namespace

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
  std::uint32_t found = kNone;
  forEachCellAround(home, [&](const GridCell& key) {
    const auto cell = cells_.find(key);
    if (cell == cells_.end()) return;
    for (const std::uint32_t i : cell->second) {
      if (found == kNone && distance(vertices_[i], p) <= tolerance_) found = i;
    }
  });
  if (found != kNone) return found;
  const auto index = static_cast<std::uint32_t>(vertices_.size());
  vertices_.push_back(p);
  cells_[home].push_back(index);
  return index;
}
