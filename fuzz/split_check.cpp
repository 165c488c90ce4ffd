// splitPoly against an independent reading of its contract: the result from
// the vertices' own classification, the pieces as the ring walked in order
// with a crossing point wherever an edge runs strictly from one side to the
// other, and every reference count where the handles put it.
#include <cmath>
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

bool between(float v, float a, float b) {
  const float slack = 1e-5f * (1.0f + std::fabs(a) + std::fabs(b));
  return !(v < std::fmin(a, b) - slack) && !(v > std::fmax(a, b) + slack);
}

// Far out, the edge's own length overflows and a crossing point can only be
// as good as the float range allows; such edges are not judged.
bool tame(const Point3& p) { return std::fabs(p.x) < 1e15f && std::fabs(p.y) < 1e15f && std::fabs(p.z) < 1e15f; }

void requireCrossing(const Point3& x, const Slot& slot, const Plane& plane) {
  if (!tame(*slot.from) || !tame(*slot.to)) return;
  const PlaneValue value = planeValue(x, plane);
  const double slack = value.slack + planeValue(*slot.from, plane).slack + planeValue(*slot.to, plane).slack;
  require(!(std::fabs(value.value) > slack), "a crossing point is off the cutting plane");
  require(between(x.x, slot.from->x, slot.to->x) && between(x.y, slot.from->y, slot.to->y) &&
              between(x.z, slot.from->z, slot.to->z),
          "a crossing point is off its edge");
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
      plane.set(in.coordinate(wild), in.coordinate(wild), in.coordinate(wild), in.coordinate(wild));
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
