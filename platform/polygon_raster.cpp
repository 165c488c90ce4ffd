// Pixel centres lie on integer coordinates. On row y every edge that is not
// horizontal and has ymin <= y < ymax crosses at its exact x; the crossings,
// taken in order, pair up and each pair (xl, xr) fills
// ceil(xl) <= x < ceil(xr). So points on a left or top edge are inside and
// on a right or bottom edge outside.
//
// Each edge keeps ceil(x) on the current row as an integer and a remainder,
// stepped row by row without division; only its first row on the canvas
// needs one exact 128-bit division. Rows are clipped to the canvas before
// the scan, spans as they are written.
#include "platform/polygon_raster.h"

#include <algorithm>
#include <vector>

#include "platform/wide_math.h"

namespace platform {
namespace {

struct Edge {
  std::int64_t firstRow;  // rows [firstRow, endRow) lie on the canvas
  std::int64_t endRow;
  std::int64_t x;  // ceil of the exact crossing on the current row
  // x * height - exact crossing * height, in [0, height)
  std::int64_t remainder;
  std::int64_t height;
  std::int64_t xStep;  // floor(dx / height)
  std::int64_t remainderStep;  // dx - xStep * height

  // Without a branch: whether the remainder borrows follows the slope's
  // fraction and would be mispredicted often.
  void nextRow() {
    remainder -= remainderStep;
    const std::int64_t borrow = remainder < 0;
    remainder += height * borrow;
    x += xStep + borrow;
  }
};

bool makeEdge(const POINT& a, const POINT& b, std::int64_t canvasHeight, Edge& edge) {
  if (a.y == b.y) return false;
  const POINT& top = a.y < b.y ? a : b;
  const POINT& bottom = a.y < b.y ? b : a;
  edge.firstRow = std::max<std::int64_t>(top.y, 0);
  edge.endRow = std::min<std::int64_t>(bottom.y, canvasHeight);
  if (edge.firstRow >= edge.endRow) return false;
  edge.height = std::int64_t(bottom.y) - top.y;
  const std::int64_t dx = std::int64_t(bottom.x) - top.x;
  const Wide crossing = Wide(top.x) * edge.height + Wide(edge.firstRow - top.y) * dx;
  edge.x = static_cast<std::int64_t>(ceilDiv<Wide>(crossing, edge.height));
  edge.remainder = static_cast<std::int64_t>(Wide(edge.x) * edge.height - crossing);
  edge.xStep = floorDiv(dx, edge.height);
  edge.remainderStep = dx - edge.xStep * edge.height;
  return true;
}

}  // namespace

void fillPolygon(const Canvas& canvas, const POINT* points, int count, std::uint8_t colour) {
  std::vector<Edge> edges;
  edges.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    Edge edge;
    if (makeEdge(points[i], points[(i + 1) % count], canvas.height, edge)) edges.push_back(edge);
  }
  std::sort(edges.begin(), edges.end(), [](const Edge& p, const Edge& q) { return p.firstRow < q.firstRow; });

  // Kept in order of x: from one row to the next the order changes only
  // where edges cross, so an insertion sort has almost nothing to do.
  std::vector<Edge> active;
  active.reserve(edges.size());
  std::size_t waiting = 0;
  std::int64_t y = 0;
  while (waiting < edges.size() || !active.empty()) {
    if (active.empty()) y = edges[waiting].firstRow;
    while (waiting < edges.size() && edges[waiting].firstRow == y) active.push_back(edges[waiting++]);
    for (std::size_t i = 1; i < active.size(); ++i) {
      for (std::size_t j = i; j > 0 && active[j].x < active[j - 1].x; --j) std::swap(active[j], active[j - 1]);
    }
    for (std::size_t i = 0; i + 1 < active.size(); i += 2) fillRowSpan(canvas, y, active[i].x, active[i + 1].x, colour);
    ++y;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < active.size(); ++i) {
      if (active[i].endRow == y) continue;
      if (kept != i) active[kept] = active[i];
      active[kept++].nextRow();
    }
    active.resize(kept);
  }
}

}  // namespace platform
