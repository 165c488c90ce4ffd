#include "model/t_junctions.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <utility>

#include "model/grid_cell.h"

namespace {

using Grid = std::unordered_map<GridCell, std::vector<std::uint32_t>, GridCellHash>;

constexpr int kNeedleRounds = 8;
constexpr double kNeedleSlenderness = 4.0;

// True when p lies within tolerance of the inside of the segment from a to
// b; t is its place along it (0 at a, 1 at b), offset its distance from it.
bool liesInside(const Point3& p, const Point3& a, const Point3& b, double tolerance, double& t, double& offset) {
  const double d[3] = {double(b.x) - a.x, double(b.y) - a.y, double(b.z) - a.z};
  const double w[3] = {double(p.x) - a.x, double(p.y) - a.y, double(p.z) - a.z};
  const double length2 = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
  if (length2 == 0.0) return false;
  t = (w[0] * d[0] + w[1] * d[1] + w[2] * d[2]) / length2;
  if (!(t > 0.0 && t < 1.0)) return false;
  double off2 = 0.0;
  for (int i = 0; i < 3; ++i) off2 += (w[i] - t * d[i]) * (w[i] - t * d[i]);
  offset = std::sqrt(off2);
  return offset <= tolerance;
}

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
        if (liesInside(vertices_[v], pa, pb, tolerance_, on.t, on.offset)) found.push_back(on);
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

  const std::vector<Point3>& vertices_;
  double cellSize_;
  double tolerance_;
  Grid grid_;
  std::vector<std::uint32_t> seen_;
  std::uint32_t stamp_ = 0;
};

// A proposed cut of one face's unpaired edge, ring[side] to the next
// vertex, by the vertices found along it, in their order.
struct EdgeCut {
  std::size_t face;
  std::size_t side;
  std::vector<OnEdge> along;
};

std::uint64_t edgeKey(std::uint32_t from, std::uint32_t to) { return (std::uint64_t(from) << 32) | to; }

// The faces' edges counted as they would be with every cut made: the
// faces' own counts, corrected by the cuts.
class CutEdges {
 public:
  explicit CutEdges(const DirectedEdges& faces) : faces_(faces) {}

  int count(std::uint32_t from, std::uint32_t to) const {
    const auto found = change_.find(edgeKey(from, to));
    return faces_.count(from, to) + (found == change_.end() ? 0 : found->second);
  }

  // Adds (step +1) or takes back (-1) the edges that a cut of the edge from
  // a to b puts in its place.
  void apply(std::uint32_t a, std::uint32_t b, const std::vector<OnEdge>& along, int step) {
    if (along.empty()) return;
    change_[edgeKey(a, b)] -= step;
    std::uint32_t from = a;
    for (const OnEdge& on : along) {
      change_[edgeKey(from, on.vertex)] += step;
      from = on.vertex;
    }
    change_[edgeKey(from, b)] += step;
  }

 private:
  const DirectedEdges& faces_;
  std::unordered_map<std::uint64_t, int> change_;
};

// The longest run from a through some of along to b in which every step
// has a reverse among the edges: what of a cut pairs open edges. Empty when
// no such run passes through any of them.
std::vector<OnEdge> pairedRun(std::uint32_t a, std::uint32_t b, const std::vector<OnEdge>& along,
                              const CutEdges& edges) {
  const std::size_t n = along.size() + 2;
  auto vertexAt = [&](std::size_t i) { return i == 0 ? a : i == n - 1 ? b : along[i - 1].vertex; };
  constexpr std::size_t kNone = ~std::size_t{0};
  std::vector<std::size_t> length(n, 0);  // vertices on the best run from a to here; 0: no run
  std::vector<std::size_t> before(n, kNone);
  length[0] = 1;
  for (std::size_t j = 1; j < n; ++j) {
    for (std::size_t i = 0; i < j; ++i) {
      if (length[i] != 0 && length[i] + 1 > length[j] && edges.count(vertexAt(j), vertexAt(i)) > 0) {
        length[j] = length[i] + 1;
        before[j] = i;
      }
    }
  }
  std::vector<OnEdge> run;
  if (length[n - 1] == 0) return run;
  for (std::size_t i = before[n - 1]; i != 0; i = before[i]) run.push_back(along[i - 1]);
  std::reverse(run.begin(), run.end());
  return run;
}

// Cuts down every proposed cut to what pairs open edges, until none
// changes: a vertex within reach of an edge that it does not belong to
// (near a sharp corner, or across a face narrower than the tolerance)
// leaves pieces that no other face runs along the other way.
void keepWhatPairs(const std::vector<FaceRing>& faces, std::vector<EdgeCut>& cuts, CutEdges& edges) {
  for (bool changed = true; changed;) {
    changed = false;
    for (EdgeCut& cut : cuts) {
      if (cut.along.empty()) continue;
      const FaceRing& ring = faces[cut.face];
      const std::uint32_t a = ring[cut.side];
      const std::uint32_t b = ring[(cut.side + 1) % ring.size()];
      std::vector<OnEdge> run = pairedRun(a, b, cut.along, edges);
      if (run.size() == cut.along.size()) continue;
      edges.apply(a, b, cut.along, -1);
      cut.along = std::move(run);
      edges.apply(a, b, cut.along, +1);
      changed = true;
    }
  }
}

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

  std::vector<EdgeCut> cuts;
  CutEdges cutEdges(edges);
  std::vector<OnEdge> found;
  for (std::size_t f = 0; f < faces.size(); ++f) {
    const FaceRing& ring = faces[f];
    found.clear();
    for (std::size_t i = 0; i < ring.size(); ++i) {
      if (edges.count(ring[(i + 1) % ring.size()], ring[i]) != 0) continue;
      for (OnEdge& on : search.inside(ring[i], ring[(i + 1) % ring.size()])) {
        on.side = i;
        found.push_back(on);
      }
    }
    keepWhereItBelongs(ring, found);
    for (std::size_t k = 0; k < found.size();) {
      EdgeCut cut{f, found[k].side, {}};
      for (; k < found.size() && found[k].side == cut.side; ++k) cut.along.push_back(found[k]);
      cutEdges.apply(ring[cut.side], ring[(cut.side + 1) % ring.size()], cut.along, +1);
      cuts.push_back(std::move(cut));
    }
  }
  keepWhatPairs(faces, cuts, cutEdges);

  std::size_t inserted = 0;
  for (std::size_t c = 0; c < cuts.size();) {
    const std::size_t face = cuts[c].face;
    FaceRing& ring = faces[face];
    FaceRing split;
    for (std::size_t i = 0; i < ring.size(); ++i) {
      split.push_back(ring[i]);
      if (c < cuts.size() && cuts[c].face == face && cuts[c].side == i) {
        for (const OnEdge& on : cuts[c].along) split.push_back(on.vertex);
        ++c;
      }
    }
    inserted += split.size() - ring.size();
    ring = std::move(split);
  }
  return inserted;
}

std::size_t foldNeedles(const std::vector<Point3>& vertices, std::vector<FaceRing>& faces, double reach) {
  constexpr std::size_t kSeveral = ~std::size_t{0};
  std::unordered_map<std::uint64_t, int> uses;            // kept up to date through every fold
  std::unordered_map<std::uint64_t, std::size_t> faceOf;  // edge to the one face using it, as counted
  const auto use = [&](std::uint32_t from, std::uint32_t to, int step) { uses[edgeKey(from, to)] += step; };
  const auto surplus = [&](std::uint32_t from, std::uint32_t to) {
    const auto forth = uses.find(edgeKey(from, to));
    const auto back = uses.find(edgeKey(to, from));
    return (forth == uses.end() ? 0 : forth->second) - (back == uses.end() ? 0 : back->second);
  };
  std::size_t folded = 0;
  // A fold that gives the foot to the face across changes two faces; the
  // others are looked at again, with faceOf counted afresh, next round.
  // Needles come alone or a few in a row, where a corner was cut several
  // times; the bound keeps a knot of them from passing a vertex to and fro.
  for (int round = 0; round < kNeedleRounds; ++round) {
    bool changed = false;
    uses.clear();
    faceOf.clear();
    for (std::size_t f = 0; f < faces.size(); ++f) {
      const FaceRing& ring = faces[f];
      for (std::size_t i = 0; i < ring.size(); ++i) {
        const std::uint32_t from = ring[i], to = ring[(i + 1) % ring.size()];
        use(from, to, +1);
        const auto placed = faceOf.emplace(edgeKey(from, to), f);
        if (!placed.second) placed.first->second = kSeveral;
      }
    }
    std::vector<char> touched(faces.size(), 0);
    for (std::size_t f = 0; f < faces.size(); ++f) {
      FaceRing& ring = faces[f];
      // A triangle with its tip on a side has no area and went as a sliver.
      if (touched[f] || ring.size() < 4) continue;
      for (std::size_t i = 0; i < ring.size(); ++i) {
        const std::uint32_t a = ring[(i + ring.size() - 1) % ring.size()];
        const std::uint32_t v = ring[i];
        const std::uint32_t b = ring[(i + 1) % ring.size()];
        // The needle runs out along its long side, p to q, and back along
        // its short one, foot to tip or tip to foot.
        std::uint32_t p = 0, q = 0, foot = 0;
        double t = 0.0, offset = 0.0;
        if (liesInside(vertices[b], vertices[a], vertices[v], reach, t, offset)) {
          p = a, q = v, foot = b;
        } else if (liesInside(vertices[a], vertices[v], vertices[b], reach, t, offset)) {
          p = v, q = b, foot = a;
        } else {
          continue;
        }
        // A needle is slender; two corners about as far apart as the foot
        // lies off the long side are a blunt corner, and each would seem
        // the other's needle.
        if (!(kNeedleSlenderness * offset < distance(vertices[v], vertices[foot]))) continue;
        const std::uint32_t shortFrom = foot == b ? v : a;
        const std::uint32_t shortTo = foot == b ? b : v;
        if (surplus(p, q) == 0) {
          // The face across the long side gets the foot.
          const auto across = faceOf.find(edgeKey(q, p));
          if (across == faceOf.end() || across->second == kSeveral || across->second == f || touched[across->second]) {
            continue;
          }
          FaceRing& other = faces[across->second];
          if (std::find(other.begin(), other.end(), foot) != other.end()) continue;
          std::size_t k = 0;
          while (other[k] != q) ++k;
          other.insert(other.begin() + static_cast<std::ptrdiff_t>(k + 1), foot);
          use(q, p, -1);
          use(q, foot, +1);
          use(foot, p, +1);
          touched[across->second] = 1;
        } else if (surplus(p, q) != 1 || surplus(shortFrom, shortTo) != 1 || surplus(b, a) != 1) {
          // Otherwise only a needle whose both sides are open folds: one
          // the CSG left a tolerance off the path that the faces across
          // take through the foot, which the new side a to b then pairs.
          continue;
        }
        use(a, v, -1);
        use(v, b, -1);
        use(a, b, +1);
        ring.erase(ring.begin() + static_cast<std::ptrdiff_t>(i));
        touched[f] = 1;
        ++folded;
        changed = true;
        break;
      }
    }
    if (!changed) break;
  }
  return folded;
}
