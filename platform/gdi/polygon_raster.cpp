// Pixel centres lie on integer coordinates. On row y every edge that is not
// horizontal and has ymin <= y < ymax crosses at its exact x; the crossings,
// taken in order, pair up and each pair (xl, xr) fills
// ceil(xl) <= x < ceil(xr). So points on a left or top edge are inside and
// on a right or bottom edge outside.
//
// Each edge keeps ceil(x) on the current row as an integer and a remainder,
// stepped row by row without division; only its first row on the canvas
// needs one exact division. Rows are clipped to the canvas before the scan,
// spans as they are written. The scan goes band by band: between one row
// where an edge starts or ends and the next, the same edges are active, and
// only their order can change (where two of them cross).
#include "platform/gdi/polygon_raster.h"

#include <algorithm>
#include <vector>

#include "platform/gdi/wide_math.h"

namespace platform {
namespace {

// Edges that fit here cost no heap; a convex ring has as many as vertices.
constexpr int kStackEdges = 32;

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

  // `crossing` is the exact x on firstRow times height.
  template <class T>
  void startAt(T crossing) {
    x = static_cast<std::int64_t>(ceilDiv<T>(crossing, height));
    remainder = static_cast<std::int64_t>(T(x) * height - crossing);
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
  const std::int64_t skipped = edge.firstRow - top.y;  // at most height
  if (isNarrow(top.x) && isNarrow(dx) && isNarrow(edge.height)) {
    edge.startAt<std::int64_t>(top.x * edge.height + skipped * dx);
  } else {
    edge.startAt<Wide>(Wide(top.x) * edge.height + Wide(skipped) * dx);
  }
  edge.xStep = floorDiv(dx, edge.height);
  edge.remainderStep = dx - edge.xStep * edge.height;
  return true;
}

// Few edges are ever active at once, and from one row to the next they are
// nearly in order already.
template <class Less>
void insertionSort(Edge* first, Edge* last, Less less) {
  for (Edge* i = first + 1; i < last; ++i) {
    for (Edge* j = i; j > first && less(*j, *(j - 1)); --j) std::swap(*j, *(j - 1));
  }
}

void sortByFirstRow(Edge* first, Edge* last) {
  auto earlier = [](const Edge& p, const Edge& q) { return p.firstRow < q.firstRow; };
  if (last - first <= kStackEdges) {
    insertionSort(first, last, earlier);
  } else {
    std::sort(first, last, earlier);
  }
}

// Fills rows [y, endRow) over which `active` stays the same set of edges.
void scanBand(const Canvas& canvas, Edge* active, std::size_t count, std::int64_t y, std::int64_t endRow,
              std::uint8_t colour) {
  if (count == 2) {
    // The usual band, and the whole of a convex polygon: two edges, worked
    // on as locals. Their order is taken afresh on each row, as they may cross.
    Edge a = active[0];
    Edge b = active[1];
    for (; y < endRow; ++y) {
      fillRowSpan(canvas, y, std::min(a.x, b.x), std::max(a.x, b.x), colour);
      a.nextRow();
      b.nextRow();
    }
    active[0] = a;
    active[1] = b;
    return;
  }
  auto leftOf = [](const Edge& p, const Edge& q) { return p.x < q.x; };
  for (; y < endRow; ++y) {
    insertionSort(active, active + count, leftOf);
    for (std::size_t i = 0; i + 1 < count; i += 2) fillRowSpan(canvas, y, active[i].x, active[i + 1].x, colour);
    for (std::size_t i = 0; i < count; ++i) active[i].nextRow();
  }
}

}  // namespace

void fillPolygon(const Canvas& canvas, const POINT* points, int count, std::uint8_t colour) {
  Edge stackEdges[2 * kStackEdges];
  std::vector<Edge> heapEdges;
  Edge* edges = stackEdges;
  if (count > kStackEdges) {
    heapEdges.resize(2 * static_cast<std::size_t>(count));
    edges = heapEdges.data();
  }
  // The first half holds the edges by first row, the second the active ones.
  std::size_t edgeCount = 0;
  for (int i = 0; i < count; ++i) {
    if (makeEdge(points[i], points[(i + 1) % count], canvas.height, edges[edgeCount])) ++edgeCount;
  }
  sortByFirstRow(edges, edges + edgeCount);
  Edge* const active = edges + std::max(count, kStackEdges);

  std::size_t waiting = 0;
  std::size_t activeCount = 0;
  std::int64_t y = 0;
  while (waiting < edgeCount || activeCount > 0) {
    if (activeCount == 0) y = edges[waiting].firstRow;
    while (waiting < edgeCount && edges[waiting].firstRow == y) active[activeCount++] = edges[waiting++];
    std::int64_t bandEnd = waiting < edgeCount ? edges[waiting].firstRow : canvas.height;
    for (std::size_t i = 0; i < activeCount; ++i) bandEnd = std::min(bandEnd, active[i].endRow);
    scanBand(canvas, active, activeCount, y, bandEnd, colour);
    y = bandEnd;
    activeCount = static_cast<std::size_t>(
        std::remove_if(active, active + activeCount, [y](const Edge& e) { return e.endRow == y; }) - active);
  }
}

}  // namespace platform
