// Welds points that lie within a tolerance of each other into one vertex.
//
// The points go into a hash grid (model/grid_cell.h) whose cells are as
// wide as the tolerance. The first point of a cluster stands for all of it: its
// coordinates are kept bit for bit, so that every face that uses the vertex
// writes the same numbers. Most corners repeat one met before exactly (the
// faces around a corner of an input solid all copy it), so points are first
// looked up by their exact coordinates.
#ifndef KELVANE_MODEL_VERTEX_WELD_H
#define KELVANE_MODEL_VERTEX_WELD_H

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "geometry/vector.h"
#include "model/grid_cell.h"

class VertexWelder {
 public:
  // tolerance must be positive.
  explicit VertexWelder(double tolerance);

  // The index of the first vertex within the tolerance of p, or of p itself,
  // added as a new vertex, when there is none.
  std::uint32_t weld(const Point3& p);

  const std::vector<Point3>& vertices() const { return vertices_; }

 private:
  std::uint32_t weldNearby(const Point3& p);

  double tolerance_;
  std::vector<Point3> vertices_;
  std::unordered_map<GridCell, std::vector<std::uint32_t>, GridCellHash> cells_;
  std::unordered_map<GridCell, std::uint32_t, GridCellHash> exact_;  // by the coordinates' bits
};

#endif
