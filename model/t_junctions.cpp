#include "model/t_junctions.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <utility>

#include "model/grid_cell.h"

namespace {

using Grid = std::unordered_map<GridCell, std::vector<std::uint32_t>, GridCellHash>;

struct OnEdge {
  double t;  // 0 at the edge's start, 1 at its end
  std::uint32_t vertex;
  double offset = 0.0;    // distance from the edge's line
  std::size_t side = 0;   // the edge's place in its ring
};

class EdgeSearch {
 public:
  EdgeSearch(const std::vector<Point3>& vertices, const std::vector<std::uint32_t>& candidates, double cellSize,
             double tolerance)
      : vertices_(vertices), cellSize_(cellSize), tolerance_(tolerance), seen_(vertices.size(), 0) {
    for (const std::uint32_t v : candidates) grid_[gridCell(vertices[v], cellSize)].push_back(v);
  }

  // The candidates inside the edge from a to b.
  std::vector<OnEdge> inside(std::uint32_t a, std::uint32_t b) {
    ++stamp_;
    std::vector<OnEdge> found;
    const Point3& pa = vertices_[a];
    const Point3& pb = vertices_[b];
    const double length = distance(pa, pb);
    const auto steps = static_cast<long>(std::ceil(length / cellSize_));
    for (long k = 0; k <= steps; ++k) {
      const double s = steps == 0 ? 0.0 : double(k) / steps;
      const Point3 sample(static_cast<float>(pa.x + (double(pb.x) - pa.x) * s),
                          static_cast<float>(pa.y + (double(pb.y) - pa.y) * s),
                          static_cast<float>(pa.z + (double(pb.z) - pa.z) * s), 1.0f);
      visitAround(gridCell(sample, cellSize_), [&](std::uint32_t v) {
        if (v == a || v == b || seen_[v] == stamp_) return;
        seen_[v] = stamp_;
        OnEdge on{0.0, v};
        if (liesInside(v, pa, pb, on.t, on.offset)) found.push_back(on);
      });
    }
    return found;
  }

 private:
  template <class Visit>
  void visitAround(const GridCell& home, Visit visit) const {
    forEachCellAround(home, [&](const GridCell& key) {
      const auto cell = grid_.find(key);
      if (cell == grid_.end()) return;
      for (const std::uint32_t v : cell->second) visit(v);
    });
  }

  bool liesInside(std::uint32_t v, const Point3& a, const Point3& b, double& t, double& offset) const {
    const Point3& p = vertices_[v];
    const double d[3] = {double(b.x) - a.x, double(b.y) - a.y, double(b.z) - a.z};
    const double w[3] = {double(p.x) - a.x, double(p.y) - a.y, double(p.z) - a.z};
    const double length2 = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
    if (length2 == 0.0) return false;
    t = (w[0] * d[0] + w[1] * d[1] + w[2] * d[2]) / length2;
    if (!(t > 0.0 && t < 1.0)) return false;
    double off2 = 0.0;
    for (int i = 0; i < 3; ++i) off2 += (w[i] - t * d[i]) * (w[i] - t * d[i]);
    offset = std::sqrt(off2);
    return offset <= tolerance_;
  }

  const std::vector<Point3>& vertices_;
  double cellSize_;
  double tolerance_;
  Grid grid_;
  std::vector<std::uint32_t> seen_;
  std::uint32_t stamp_ = 0;
};

// Near a sharp corner of a face, or across a face narrower than twice the
// tolerance, one vertex can lie within reach of two of its sides: it goes
// into the one it lies closest to, and into none when the ring has it
// already. What is left comes in ring order, and along each side in order.
void keepWhereItBelongs(const FaceRing& ring, std::vector<OnEdge>& found) {
  std::sort(found.begin(), found.end(), [](const OnEdge& p, const OnEdge& q) {
    return p.vertex != q.vertex ? p.vertex < q.vertex : p.offset < q.offset;
  });
  std::size_t kept = 0;
  for (std::size_t i = 0; i < found.size(); ++i) {
    const bool closest = i == 0 || found[i].vertex != found[i - 1].vertex;
    if (closest && std::find(ring.begin(), ring.end(), found[i].vertex) == ring.end()) found[kept++] = found[i];
  }
  found.resize(kept);
  std::sort(found.begin(), found.end(), [](const OnEdge& p, const OnEdge& q) {
    return p.side != q.side ? p.side < q.side : p.t < q.t;
  });
}

}  // namespace

std::size_t resolveTJunctions(const std::vector<Point3>& vertices, std::vector<FaceRing>& faces, double tolerance) {
  const DirectedEdges edges(faces);
  const std::vector<DirectedEdge> open = edges.unpaired(faces);
  if (open.empty()) return 0;

  std::vector<char> isCandidate(vertices.size(), 0);
  std::vector<std::uint32_t> candidates;
  double totalLength = 0.0;
  for (const DirectedEdge& e : open) {
    for (const std::uint32_t v : {e.from, e.to}) {
      if (!isCandidate[v]) candidates.push_back(v);
      isCandidate[v] = 1;
    }
    totalLength += distance(vertices[e.from], vertices[e.to]);
  }
  // Cells of half a typical edge keep both the walk along an edge and the
  // candidates per cell short; below twice the tolerance the neighbouring
  // cells would no longer cover every point within reach.
  const double cellSize = std::max(totalLength / open.size() / 2.0, 2.0 * tolerance);
  EdgeSearch search(vertices, candidates, cellSize, tolerance);

  std::size_t inserted = 0;
  std::vector<OnEdge> found;
  for (FaceRing& ring : faces) {
    found.clear();
    for (std::size_t i = 0; i < ring.size(); ++i) {
      const std::uint32_t a = ring[i];
      const std::uint32_t b = ring[(i + 1) % ring.size()];
      if (edges.count(b, a) != 0) continue;
      for (OnEdge& on : search.inside(a, b)) {
        on.side = i;
        found.push_back(on);
      }
    }
    if (found.empty()) continue;
    keepWhereItBelongs(ring, found);
    FaceRing split;
    std::size_t next = 0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
      split.push_back(ring[i]);
      for (; next < found.size() && found[next].side == i; ++next) split.push_back(found[next].vertex);
    }
    inserted += split.size() - ring.size();
    ring = std::move(split);
  }
  return inserted;
}
