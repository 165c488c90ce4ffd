// Classification comes first: each vertex's plane value and side are worked
// out once (beyond +tolerance in front, beyond -tolerance behind, otherwise
// on the plane), and together they give the polygon's Side. Only a polygon that
// crosses the plane is then cut, from those same values: a vertex goes to
// the piece of its side, an on-plane vertex to both, and an edge whose ends
// lie strictly on opposite sides adds its crossing point to both. The
// crossing point is always measured from the edge's earlier vertex, so that
// it comes out the same whichever way the edge runs.
//
// splitPolyWithin, which the tree operations use, refines the tolerance's
// answer twice. A polygon whose vertices all lie within the tolerance lies
// in the plane only when its own plane is parallel to it: a sliver of a
// neighbouring face, tilted against it, would otherwise be stored on it and
// its own plane would bound no cell. And a near vertex whose edges run
// nearly along the plane, so that they would cross it more than the
// tolerance away, keeps its own side and the edges are cut where they meet
// the plane (placeNearVertices says why).
//
// The pieces collect in two fixed scratch arrays, so that cutting a polygon
// of the usual size allocates nothing but the pieces. A ring that would put
// more points into an array than it holds (more than 63 vertices, or a ring
// that is not convex) is still cut: the pass stops storing at the array's
// end but goes on counting, and the pieces are then collected again in
// buffers of the counted size. A piece of more than 255 vertices does not
// fit a polygon and comes out as coplanar convex parts (convex_parts.h).
#include "bsp/split.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include <vector>

#include "geometry/tolerance.h"
#include "polygon/convex_parts.h"
#include "polygon/fatal.h"

namespace {

Point3 backScratch[kSplitCapacity];
Point3 frontScratch[kSplitCapacity];

class PieceBuffer {
 public:
  PieceBuffer(Point3* points, int capacity) : points(points), capacity(capacity) {}

  void append(const Point3& p) {
    if (count < capacity) points[count] = p;
    ++count;
  }
  bool overflowed() const { return count > capacity; }
  void makeParts(PolyRef (&parts)[kMaxParts], bool make) const {
    if (!make) return;
    int made = 0;
    makeConvexParts(points, count, [&](CountedPoly* part) { parts[made++] = part; });
  }
  int size() const { return count; }

 private:
  Point3* points;
  int capacity;
  int count = 0;
};

// The plane value and side of every vertex of one polygon.
struct Classification {
  float values[kMaxVertexCount];
  Side sides[kMaxVertexCount];
  bool nearOff;  // some vertex within tolerance of the plane and maybe beyond rounding off it
};

// What a float dot product of the vertex with the plane can be off by; no
// less than roundingFloor(plane).
float rounding(const Point3& v, const Plane& plane) {
  return 4.0f * FLT_EPSILON *
         (std::fabs(v.x * plane.x) + std::fabs(v.y * plane.y) + std::fabs(v.z * plane.z) + std::fabs(plane.w));
}
float roundingFloor(const Plane& plane) { return 4.0f * FLT_EPSILON * std::fabs(plane.w); }

Side sideOf(float s, float tolerance) {
  if (s > tolerance) return Side::Front;
  if (s < -tolerance) return Side::Back;
  return Side::On;
}

Side combine(Side sofar, Side vertex) {
  if (vertex == Side::On) return sofar;
  if (sofar == Side::On || sofar == vertex) return vertex;
  return Side::Spanning;
}

Side classify(const Poly& poly, const Plane& plane, float tolerance, Classification& c) {
  // Read once: the plane, the ring and its count might all change under the
  // stores into c, as far as the compiler knows.
  const Tuple4 p(plane.x, plane.y, plane.z, plane.w);
  const Point3* ring = poly.vertices;
  const int count = poly.vertexCount;
  Side result = Side::On;
  bool nearOff = false;
  const float floor = roundingFloor(plane);
  for (int i = 0; i < count; ++i) {
    c.values[i] = ring[i].dot(p);
    c.sides[i] = sideOf(c.values[i], tolerance);
    nearOff |= (c.sides[i] == Side::On) & (std::fabs(c.values[i]) > floor);
    result = combine(result, c.sides[i]);
  }
  c.nearOff = nearOff;
  return result;
}

bool opposite(Side a, Side b) { return static_cast<int>(a) == -static_cast<int>(b) && a != Side::On; }

// How often the ring passes from one side to the other, on-plane vertices
// skipped: twice for a convex ring that crosses the plane.
int sideChanges(const Poly& poly, const Classification& c) {
  int changes = 0;
  Side last = Side::On;
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < poly.vertexCount; ++i) {
      if (c.sides[i] == Side::On) continue;
      if (pass == 1 && last != c.sides[i]) ++changes;
      last = c.sides[i];
    }
  }
  return changes;
}

double distanceBetween(const Point3& a, const Point3& b) {
  const double dx = double(a.x) - b.x;
  const double dy = double(a.y) - b.y;
  const double dz = double(a.z) - b.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// Puts back on their own sides the vertices within tolerance of the plane
// whose edges to the other side would cross it more than tolerance away
// from them; returns the polygon's side by the sides then. Leaving such a
// vertex on the plane would bend the cut by up to the tolerance, and where
// the next plane meets this one at a shallow angle the corner the two cuts
// make would move far along the seam, where the other solid, cut by the
// first solid's planes, puts it in its true place. A vertex whose crossings
// would lie within tolerance of it stays on the plane: the cut then misses
// nothing a weld would not close, and no sliver narrower than the
// tolerance is cut off. Kept out of line, where its copy of the
// classification does not weigh on every split.
[[gnu::noinline]] Side placeNearVertices(const Poly& poly, const Plane& plane, float tolerance, Side tolerant,
                                         Classification& c) {
  const auto exactSide = [&](int i) { return sideOf(c.values[i], rounding(poly.vertices[i], plane)); };
  Side placed[kMaxVertexCount];
  bool moved = false;
  for (int i = 0; i < poly.vertexCount; ++i) {
    placed[i] = c.sides[i];
    const Side own = c.sides[i] == Side::On ? exactSide(i) : Side::On;
    if (own == Side::On) continue;
    for (const int j : {i == 0 ? poly.vertexCount - 1 : i - 1, i + 1 == poly.vertexCount ? 0 : i + 1}) {
      if (!opposite(own, c.sides[j] == Side::On ? exactSide(j) : c.sides[j])) continue;
      const double near = std::fabs(double(c.values[i]));
      const double share = near / (near + std::fabs(double(c.values[j])));
      if (share * distanceBetween(poly.vertices[i], poly.vertices[j]) > tolerance) {
        placed[i] = own;
        moved = true;
      }
    }
  }
  if (!moved) return tolerant;
  Classification m = c;
  Side result = Side::On;
  for (int i = 0; i < poly.vertexCount; ++i) {
    m.sides[i] = placed[i];
    result = combine(result, placed[i]);
  }
  // Near vertices that rounding scatters to both sides of the plane keep
  // the tolerance's sides: by theirs the ring would not be convex.
  if (result == Side::Spanning && sideChanges(poly, m) > 2) return tolerant;
  c = m;
  return result;
}

Point3 crossing(const Point3& prev, const Point3& cur, float sPrev, const Plane& plane) {
  const Vector3 d = cur - prev;
  // The two ends lie strictly on opposite sides, so in exact arithmetic t is
  // inside [0, 1]; with d rounded to float it can stray beyond the edge.
  const float t = std::clamp(static_cast<float>(-double(sPrev) / double(plane.dot(d))), 0.0f, 1.0f);
  return prev + d * t;
}

void collectPieces(const Poly& poly, const Plane& plane, const Classification& c, PieceBuffer& back,
                   PieceBuffer& front) {
  int prev = poly.vertexCount - 1;
  for (int i = 0; i < poly.vertexCount; ++i) {
    const Point3& cur = poly.vertices[i];
    if (c.sides[i] == Side::On) {
      back.append(cur);
      front.append(cur);
    } else {
      if (opposite(c.sides[prev], c.sides[i])) {
        const Point3 x = crossing(poly.vertices[prev], cur, c.values[prev], plane);
        back.append(x);
        front.append(x);
      }
      (c.sides[i] == Side::Front ? front : back).append(cur);
    }
    prev = i;
  }
}

void handOutPieces(const PieceBuffer& back, const PieceBuffer& front, SplitParts& parts, bool makeBack,
                   bool makeFront) {
  front.makeParts(parts.front, makeFront);
  back.makeParts(parts.back, makeBack);
}

void cut(const Poly& poly, const Plane& plane, const Classification& c, SplitParts& parts, bool makeBack = true,
         bool makeFront = true) {
  PieceBuffer backPiece(backScratch, kSplitCapacity);
  PieceBuffer frontPiece(frontScratch, kSplitCapacity);
  collectPieces(poly, plane, c, backPiece, frontPiece);
  if (!backPiece.overflowed() && !frontPiece.overflowed()) {
    handOutPieces(backPiece, frontPiece, parts, makeBack, makeFront);
    return;
  }
  std::vector<Point3> backPoints(backPiece.size());
  std::vector<Point3> frontPoints(frontPiece.size());
  PieceBuffer backLarge(backPoints.data(), backPiece.size());
  PieceBuffer frontLarge(frontPoints.data(), frontPiece.size());
  collectPieces(poly, plane, c, backLarge, frontLarge);
  handOutPieces(backLarge, frontLarge, parts, makeBack, makeFront);
}

}  // namespace

Side tiltedSide(const Poly& poly, const Plane& plane) {
  const double dot = double(poly.plane.x) * plane.x + double(poly.plane.y) * plane.y + double(poly.plane.z) * plane.z;
  if (1.0 - dot * dot <= kMaxTilt * kMaxTilt) return Side::On;
  float farthest = 0.0f;
  for (int i = 0; i < poly.vertexCount; ++i) {
    const float s = poly.vertices[i].dot(plane);
    if (std::fabs(s) > std::fabs(farthest)) farthest = s;
  }
  return farthest > 0.0f ? Side::Front : farthest < 0.0f ? Side::Back : Side::On;
}

Side splitPolyWithin(const PolyRef& poly, const Plane& plane, float tolerance, std::optional<SplitParts>& parts,
                     bool makeBack, bool makeFront) {
  Classification c;
  Side result = classify(*poly, plane, tolerance, c);
  if (result == Side::On) return tiltedSide(*poly, plane);
  if (c.nearOff) result = placeNearVertices(*poly, plane, tolerance, result, c);
  if (result != Side::Spanning) return result;
  // A convex ring that passes from side to side more than twice lies in the
  // plane up to rounding, its vertices scattered just beyond the tolerance
  // either way. Cut, every piece would keep nearly all of the ring plus a
  // crossing per pass and grow with each further cut.
  if (sideChanges(*poly, c) > 2) return Side::On;
  cut(*poly, plane, c, parts.emplace(), makeBack, makeFront);
  return result;
}

Side splitPolyWithin(const PolyRef& poly, const Plane& plane, float tolerance, SplitParts& parts) {
  std::optional<SplitParts> made;
  const Side result = splitPolyWithin(poly, plane, tolerance, made, true, true);
  if (made) parts = std::move(*made);
  return result;
}

Side splitPoly(const PolyRef& poly, const Plane& plane, PolyRef& back, PolyRef& front) {
  Classification c;
  const Side result = classify(*poly, plane, kEpsilon, c);
  SplitParts parts;
  switch (result) {
    case Side::On:
      break;
    case Side::Back:
      back = poly;
      break;
    case Side::Front:
      front = poly;
      break;
    case Side::Spanning:
      cut(*poly, plane, c, parts);
      if (parts.back[1] || parts.front[1]) fatal("a piece of more than 255 vertices has no single polygon");
      front = parts.front[0];
      back = parts.back[0];
      break;
  }
  return result;
}
