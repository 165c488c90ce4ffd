// splitPoly against an independent reading of its contract: the result from
// the vertices' own classification, the pieces as the ring walked in order
// with a crossing point wherever an edge runs strictly from one side to the
// other, and every reference count where the handles put it.
#include <limits>
#include <utility>

#include "bsp/split.h"
#include "fuzz/checks.h"
#include "fuzz/polygon_source.h"
#include "fuzz/tree_invariants.h"

namespace {

Side sideOf(const Point3& p, const Plane& plane) {
  const float s = p.dot(plane);
  return s > kEpsilon ? Side::Front : s < -kEpsilon ? Side::Back : Side::On;
}

// A piece's vertex: one of the ring (at, nullptr), or a crossing on the
// edge (from, to).
using Slot = std::pair<const Point3*, const Point3*>;

// Where a crossing point may lie. The system measures the edge as a float
// vector before it takes the plane's dot product with it, so its parameter
// along the edge is only as good as that rounding allows: for an edge
// nearly parallel to the plane, far from the origin, that is far less than
// the classification tolerance. The check allows that much and no more.
void requireCrossing(const Point3& x, const Point3& from, const Point3& to, const Plane& plane) {
  const double d[3] = {double(to.x) - from.x, double(to.y) - from.y, double(to.z) - from.z};
  const double n[3] = {plane.x, plane.y, plane.z};
  const double change = n[0] * d[0] + n[1] * d[1] + n[2] * d[2];
  double rounding = 0.0;
  for (int i = 0; i < 3; ++i) rounding += std::fabs(n[i] * d[i]) * 0x1p-23;
  const PlaneValue onX = planeValue(x, plane), onFrom = planeValue(from, plane), onTo = planeValue(to, plane);
  // An edge too long for a float, or whose change in plane value is, has
  // no float crossing point to judge.
  for (double v : {d[0], d[1], d[2], change}) {
    if (!(std::fabs(v) <= std::numeric_limits<float>::max())) return;
  }
  if (!std::isfinite(rounding) || !std::isfinite(onFrom.value) || !std::isfinite(onTo.value)) return;
  const double tSlack = rounding / std::fabs(onTo.value - onFrom.value);
  require(!(std::fabs(onX.value) > onX.slack + onFrom.slack + onTo.slack + rounding),
          "a crossing point is off the cutting plane");
  const double p[3] = {x.x, x.y, x.z}, a[3] = {from.x, from.y, from.z}, b[3] = {to.x, to.y, to.z};
  for (int i = 0; i < 3; ++i) {
    const double margin = tSlack * std::fabs(d[i]) + 1e-5 * (1.0 + std::fabs(a[i]) + std::fabs(b[i]));
    require(!(p[i] < std::fmin(a[i], b[i]) - margin) && !(p[i] > std::fmax(a[i], b[i]) + margin),
            "a crossing point is off its edge");
  }
}

void requirePiece(const Poly& piece, const std::vector<Slot>& slots, const Plane& plane) {
  require(piece.vertexCount == static_cast<int>(slots.size()), "a piece has the wrong number of vertices");
  auto same = [](float x, float y) { return x == y || (std::isnan(x) && std::isnan(y)); };
  for (std::size_t i = 0; i < slots.size(); ++i) {
    const Point3 &v = piece.vertices[i], &was = *slots[i].first;
    if (slots[i].second != nullptr) requireCrossing(v, was, *slots[i].second, plane);
    require(slots[i].second != nullptr || (same(v.x, was.x) && same(v.y, was.y) && same(v.z, was.z)),
            "a piece does not keep the ring's vertices in order");
  }
}

Plane choosePlane(FuzzInput& in, PolygonSource& source, bool wild) {
  const int kind = in.byte() % 3;
  if (kind == 0) return source.next()->plane;
  Plane plane;
  if (kind == 1) {
    // Not normalised, but of a size the system's own planes have: with
    // coefficients near the float limit no edge's plane value is finite.
    plane.set(in.coordinate(false), in.coordinate(false), in.coordinate(false), in.coordinate(false));
    return plane;
  }
  const Vector3 n(in.coordinate(wild), in.coordinate(wild), in.coordinate(wild));
  plane.setFromNormal(n.length() > 0.0f ? n * (1.0f / n.length()) : n,
                      Point3(in.coordinate(wild), in.coordinate(wild), in.coordinate(wild), 1.0f));
  return plane;
}

}  // namespace

void checkSplitPoly(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const bool wild = (in.byte() & 1) != 0;
  // Up to 127 vertices: even a ring that is not convex then cuts into
  // pieces of at most 254, which a polygon can hold.
  PolygonSource source{in, 127, 127, wild};
  const PolyRef poly = (in.byte() & 15) == 0 ? source.arbitrary(in.range(1, 2)) : source.next();
  const Plane plane = choosePlane(in, source, wild);
  const PolyRef backBefore = source.next();
  const PolyRef frontBefore = source.next();

  const Poly& ring = *poly;
  std::vector<Slot> backSlots, frontSlots;
  bool anyFront = false, anyBack = false;
  for (int i = 0; i < ring.vertexCount; ++i) {
    const Point3& prev = ring.vertices[(i + ring.vertexCount - 1) % ring.vertexCount];
    const Point3& cur = ring.vertices[i];
    const Side s = sideOf(cur, plane), sPrev = sideOf(prev, plane);
    if (s != Side::On && sPrev != Side::On && s != sPrev) {
      backSlots.emplace_back(&prev, &cur);
      frontSlots.emplace_back(&prev, &cur);
    }
    if (s != Side::Front) backSlots.emplace_back(&cur, nullptr);
    if (s != Side::Back) frontSlots.emplace_back(&cur, nullptr);
    anyFront = anyFront || s == Side::Front;
    anyBack = anyBack || s == Side::Back;
  }
  const Side expected = anyFront && anyBack ? Side::Spanning : anyFront ? Side::Front : anyBack ? Side::Back : Side::On;
  {
    PolyRef back = backBefore, front = frontBefore;
    const Side result = splitPoly(poly, plane, back, front);
    require(result == expected, "splitPoly classified the polygon wrongly");
    if (result == Side::Spanning) {
      // Any polygon held before has holders besides these handles.
      require(back->refCount == 1 && front->refCount == 1, "a split did not hand out two new pieces");
      requirePiece(*back, backSlots, plane);
      requirePiece(*front, frontSlots, plane);
    } else {
      require(back.get() == (result == Side::Back ? poly.get() : backBefore.get()) &&
                  front.get() == (result == Side::Front ? poly.get() : frontBefore.get()),
              "splitPoly changed a handle its result does not name");
    }
    require(poly->refCount == 2 + (result == Side::Back || result == Side::Front ? 1 : 0),
            "splitPoly left the polygon's count wrong");
  }
  require(poly->refCount == 2 && backBefore->refCount == 2 && frontBefore->refCount == 2,
          "counts are not back where they were once the handles are gone");
}
