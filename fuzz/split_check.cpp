// splitPoly against an independent reading of its contract: the result from
// the vertices' own classification, the pieces as the ring walked in order
// with a crossing point wherever an edge runs strictly from one side to the
// other, and every reference count where the handles put it.
#include <cmath>
#include <limits>
#include <vector>

#include "bsp/split.h"
#include "fuzz/checks.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/invariant.h"
#include "fuzz/plane_slack.h"
#include "fuzz/polygon_source.h"
#include "geometry/tolerance.h"

namespace {

Side sideOf(const Point3& p, const Plane& plane) {
  const float s = p.dot(plane);
  if (s > kEpsilon) return Side::Front;
  if (s < -kEpsilon) return Side::Back;
  return Side::On;
}

bool sameCoordinates(const Point3& a, const Point3& b) {
  auto same = [](float x, float y) { return x == y || (std::isnan(x) && std::isnan(y)); };
  return same(a.x, b.x) && same(a.y, b.y) && same(a.z, b.z);
}

// A piece slot: a vertex of the ring, or a crossing on the edge (from, to).
struct Slot {
  const Point3* vertex;
  const Point3* from;
  const Point3* to;
};

// Where a crossing point may lie. The system measures the edge as a float
// vector before it takes the plane's dot product with it, so its parameter
// along the edge is only as good as that rounding allows: for an edge
// nearly parallel to the plane, far from the origin, that is far less than
// the classification tolerance. The check allows that much and no more.
void requireCrossing(const Point3& x, const Slot& slot, const Plane& plane) {
  const Point3& from = *slot.from;
  const Point3& to = *slot.to;
  const double d[3] = {double(to.x) - from.x, double(to.y) - from.y, double(to.z) - from.z};
  const double n[3] = {plane.x, plane.y, plane.z};
  double rounding = 0.0;
  for (int i = 0; i < 3; ++i) rounding += std::fabs(n[i] * d[i]) * 0x1p-23;
  const PlaneValue onX = planeValue(x, plane);
  const PlaneValue onFrom = planeValue(from, plane);
  const PlaneValue onTo = planeValue(to, plane);
  // An edge too long for a float, or whose change in plane value is, has
  // no float crossing point to judge.
  const double change = n[0] * d[0] + n[1] * d[1] + n[2] * d[2];
  for (double v : {d[0], d[1], d[2], change}) {
    if (!(std::fabs(v) <= std::numeric_limits<float>::max())) return;
  }
  if (!std::isfinite(rounding) || !std::isfinite(onFrom.value) || !std::isfinite(onTo.value)) return;
  const double tSlack = rounding / std::fabs(onTo.value - onFrom.value);
  const double slack = onX.slack + onFrom.slack + onTo.slack + rounding;
  require(!(std::fabs(onX.value) > slack), "a crossing point is off the cutting plane");
  const double p[3] = {x.x, x.y, x.z};
  const double a[3] = {from.x, from.y, from.z};
  const double b[3] = {to.x, to.y, to.z};
  for (int i = 0; i < 3; ++i) {
    const double margin = tSlack * std::fabs(d[i]) + 1e-5 * (1.0 + std::fabs(a[i]) + std::fabs(b[i]));
    require(!(p[i] < std::fmin(a[i], b[i]) - margin) && !(p[i] > std::fmax(a[i], b[i]) + margin),
            "a crossing point is off its edge");
  }
}

void requirePiece(const Poly& piece, const std::vector<Slot>& slots, const Plane& plane) {
  require(piece.vertexCount == static_cast<int>(slots.size()), "a piece has the wrong number of vertices");
  for (std::size_t i = 0; i < slots.size(); ++i) {
    const Slot& slot = slots[i];
    if (slot.vertex != nullptr) {
      require(sameCoordinates(piece.vertices[i], *slot.vertex), "a piece does not keep the ring's vertices in order");
    } else {
      requireCrossing(piece.vertices[i], slot, plane);
    }
  }
}

Plane choosePlane(FuzzInput& in, PolygonSource& source, bool wild) {
  Plane plane;
  switch (in.byte() % 3) {
    case 0:
      plane = source.next()->plane;
      break;
    case 1:
      // Not normalised, but of a size the system's own planes have: with
      // coefficients near the float limit no edge's plane value is finite.
      plane.set(in.coordinate(false), in.coordinate(false), in.coordinate(false), in.coordinate(false));
      break;
    default: {
      const Vector3 n(in.coordinate(wild), in.coordinate(wild), in.coordinate(wild));
      plane.setFromNormal(n.length() > 0.0f ? n * (1.0f / n.length()) : n,
                          Point3(in.coordinate(wild), in.coordinate(wild), in.coordinate(wild), 1.0f));
    }
  }
  return plane;
}

}  // namespace

void checkSplitPoly(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const bool wild = (in.byte() & 1) != 0;
  // Up to 127 vertices: even a ring that is not convex then cuts into
  // pieces of at most 254, which a polygon can hold.
  PolygonSource source(in, 127, 127, wild);
  const PolyRef poly = (in.byte() & 15) == 0 ? source.arbitrary(in.range(1, 2)) : source.next();
  const Plane plane = choosePlane(in, source, wild);
  const PolyRef backBefore = source.next();
  const PolyRef frontBefore = source.next();

  const Poly& ring = *poly;
  std::vector<Slot> backSlots;
  std::vector<Slot> frontSlots;
  bool anyFront = false;
  bool anyBack = false;
  for (int i = 0; i < ring.vertexCount; ++i) {
    const Point3& prev = ring.vertices[(i + ring.vertexCount - 1) % ring.vertexCount];
    const Point3& cur = ring.vertices[i];
    const Side s = sideOf(cur, plane);
    const Side sPrev = sideOf(prev, plane);
    if (s != Side::On && sPrev != Side::On && s != sPrev) {
      backSlots.push_back({nullptr, &prev, &cur});
      frontSlots.push_back({nullptr, &prev, &cur});
    }
    if (s != Side::Front) backSlots.push_back({&cur, nullptr, nullptr});
    if (s != Side::Back) frontSlots.push_back({&cur, nullptr, nullptr});
    anyFront = anyFront || s == Side::Front;
    anyBack = anyBack || s == Side::Back;
  }
  const Side expected = anyFront && anyBack ? Side::Spanning : anyFront ? Side::Front : anyBack ? Side::Back : Side::On;

  {
    PolyRef back = backBefore;
    PolyRef front = frontBefore;
    const Side result = splitPoly(poly, plane, back, front);
    require(result == expected, "splitPoly classified the polygon wrongly");
    const CountedPoly* expectBack = result == Side::Back ? poly.get() : backBefore.get();
    const CountedPoly* expectFront = result == Side::Front ? poly.get() : frontBefore.get();
    if (result == Side::Spanning) {
      require(back.get() != backBefore.get() && front.get() != frontBefore.get() && back.get() != poly.get() &&
                  front.get() != poly.get() && back.get() != front.get(),
              "a split did not hand out two new pieces");
      require(back->refCount == 1 && front->refCount == 1, "a new piece has holders besides its handle");
      requirePiece(*back, backSlots, plane);
      requirePiece(*front, frontSlots, plane);
    } else {
      require(back.get() == expectBack && front.get() == expectFront,
              "splitPoly changed a handle its result does not name");
    }
    require(poly->refCount == 2 + (result == Side::Back || result == Side::Front ? 1 : 0),
            "splitPoly left the polygon's count wrong");
  }
  require(poly->refCount == 2 && backBefore->refCount == 2 && frontBefore->refCount == 2,
          "counts are not back where they were once the handles are gone");
}
