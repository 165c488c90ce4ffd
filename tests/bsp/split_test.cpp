// This suite's operator new counts, so that a test can show what splitting
// allocates.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "bsp/split.h"
#include "bsp/tree_probe.h"
#include "geometry/tolerance.h"

static long allocations = 0;

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

struct Split {
  Side side;
  PolyRef back, front;
  long allocations;
};

// Both out-handles hold a marker beforehand, to show which were assigned.
const PolyRef kMarker = squareAt(9);
Split split(const PolyRef& poly, const Plane& plane) {
  Split r{Side::On, kMarker, kMarker, allocations};
  r.side = splitPoly(poly, plane, r.back, r.front);
  r.allocations = allocations - r.allocations;
  return r;
}

void expectRing(const PolyRef& piece, const std::vector<Point3>& ring) {
  ASSERT_EQ(piece->vertexCount, ring.size());
  for (size_t i = 0; i < ring.size(); ++i) EXPECT_TRUE(tupleIs(piece->vertices[i], ring[i].x, ring[i].y, ring[i].z, 1)) << i;
}

TEST(SplitPoly, CrossingPolygonGivesPiecesInItsWinding) {
  const Point3 p0 = pt(1, 1, 0), p1 = pt(-1, 1, 0), p2 = pt(-1, -1, 0), p3 = pt(1, -1, 0);
  const PolyRef square = polyOf({p0, p1, p2, p3});
  const Split r = split(square, planeOf(0, 1, 0, 0));
  EXPECT_EQ(r.side, Side::Spanning);
  EXPECT_LE(r.allocations, 2);  // two polygons with their rings inside, or none from the pools
  // The last edge, p3 to p0, crosses first: its point starts both pieces.
  expectRing(r.front, {pt(1, 0, 0), p0, p1, pt(-1, 0, 0)});
  expectRing(r.back, {pt(1, 0, 0), pt(-1, 0, 0), p2, p3});
  EXPECT_EQ(square->refCount, 1);
  // A cut along the diagonal puts both its vertices into both pieces.
  const Split diagonal = split(square, planeOf(1, -1, 0, 0));
  EXPECT_EQ(diagonal.side, Side::Spanning);
  expectRing(diagonal.front, {p0, p2, p3});
  expectRing(diagonal.back, {p0, p1, p2});
}

// Values within kEpsilon of the plane, inclusive, count as on it. A polygon
// that only touches the plane passes whole, as the same object, and leaves
// the other handle as it was.
TEST(SplitPoly, TouchingPolygonsPassWholeWithoutAllocating) {
  const float e = kEpsilon, beyond = std::nextafter(kEpsilon, 1.0f);
  const auto ringWith = [](float a, float b) { return polyOf({pt(0, 0, a), pt(1, 0, b), pt(1, 1, a), pt(0, 1, b)}); };
  const std::pair<PolyRef, Side> cases[] = {
      {polyOf({pt(1, 0, 0), pt(0, 0, 1), pt(-1, 0, 0)}), Side::Front},    // an edge on the plane
      {polyOf({pt(0, 0, 0), pt(-1, 0, -1), pt(1, 0, -1)}), Side::Back},  // a vertex on it
      {ringWith(e, -e), Side::On},
      {ringWith(beyond, -e), Side::Front},
      {ringWith(e, -beyond), Side::Back},
  };
  for (const auto& [poly, side] : cases) {
    const Split r = split(poly, planeOf(0, 0, 1, 0));
    EXPECT_EQ(r.side, side);
    EXPECT_EQ(r.allocations, 0);
    EXPECT_EQ(r.back.get(), side == Side::Back ? poly.get() : kMarker.get());
    EXPECT_EQ(r.front.get(), side == Side::Front ? poly.get() : kMarker.get());
  }
  EXPECT_EQ(split(ringWith(beyond, -beyond), planeOf(0, 0, 1, 0)).side, Side::Spanning);
}

TEST(SplitPoly, RingsBeyondTheScratchArraysAreCutWhole) {
  std::vector<Point3> comb;  // teeth alternate across y = 0: nearly every edge crosses
  for (int i = 0; i < 60; ++i) comb.push_back(pt(static_cast<float>(i), i % 2 ? 1.0f : -1.0f, 0));
  comb.push_back(pt(59, -5, 0));
  comb.push_back(pt(0, -5, 0));
  for (const auto& [ring, plane] : {std::pair(circle(200), planeOf(1, 0, 0, -0.9f)), std::pair(comb, planeOf(0, 1, 0, 0))}) {
    const PolyRef poly = polyOf(ring);
    const Split r = split(poly, plane);
    ASSERT_EQ(r.side, Side::Spanning);
    EXPECT_GT(r.back->vertexCount, kSplitCapacity);
    EXPECT_NEAR(area(*r.back) + area(*r.front), area(*poly), 1e-4);
  }
}

// A 255-gon cut next to one vertex leaves a piece of 256 vertices, which the
// 8-bit count cannot hold. The tree operations' split hands it out as two
// coplanar convex parts that cover it; splitPoly, which has room for one
// polygon a side, stops the program rather than truncate it.
TEST(SplitPolyWithin, PieceBeyondTheVertexLimitComesAsParts) {
  const PolyRef disc = polyOf(circle(255));
  SplitParts parts;
  ASSERT_EQ(splitPolyWithin(disc, planeOf(1, 0, 0, -0.9999f), kEpsilon, parts), Side::Spanning);
  ASSERT_TRUE(parts.back[0] && parts.back[1] && !parts.back[2] && parts.front[0] && !parts.front[1]);
  EXPECT_EQ(parts.back[0]->vertexCount + parts.back[1]->vertexCount, 256 + 2);
  EXPECT_NEAR(area(*parts.back[0]) + area(*parts.back[1]) + area(*parts.front[0]), area(*disc), 1e-5);
  for (const PolyRef& p : {parts.back[0], parts.back[1]}) EXPECT_NEAR(p->plane.z, 1.0f, 1e-6f);
  EXPECT_DEATH(split(disc, planeOf(1, 0, 0, -0.9999f)), "more than 255 vertices");
  EXPECT_EQ(split(polyOf(circle(254)), planeOf(1, 0, 0, -0.9999f)).back->vertexCount, 255);
}

// A vertex within the tolerance but off the plane stays on it only while
// the crossings it stands for lie within the tolerance of it. Where its
// edges run nearly along the plane, leaving it there would bend the cut far
// from the plane along them, so the edges are cut where they meet it.
TEST(SplitPolyWithin, NearVertexIsCutOffWhereItsEdgesRunAlongThePlane) {
  const struct {
    float apex, below;  // the apex's height, the other two vertices' depth
    Side side;
  } cases[] = {
      {5e-4f, 1.0f, Side::Back},       // steep edges: crossings 5e-4 from the apex
      {5e-4f, 2e-3f, Side::Spanning},  // slope 1/500: crossings a fifth of the way down
      {1e-9f, 2e-3f, Side::Back},      // off the plane by rounding alone
  };
  for (const auto& c : cases) {
    SplitParts parts;
    const PolyRef ring = polyOf({pt(0, 0, c.apex), pt(-1, -1, -c.below), pt(1, -1, -c.below)});
    ASSERT_EQ(splitPolyWithin(ring, planeOf(0, 0, 1, 0), 1e-3f, parts), c.side) << c.apex << " " << c.below;
    if (c.side != Side::Spanning) continue;
    ASSERT_EQ(parts.front[0]->vertexCount, 3);  // the apex and the two crossings
    for (int i = 0; i < 3; ++i) {
      const Point3& v = parts.front[0]->vertices[i];
      if (v.z > 0) continue;
      EXPECT_NEAR(v.z, 0.0f, 1e-7f);
      EXPECT_NEAR(std::fabs(v.x), 0.2f, 1e-6f);
      EXPECT_NEAR(v.y, -0.2f, 1e-6f);
    }
  }
}

// A polygon lies in a plane when its vertices are near it and its own plane
// is parallel to it; a sliver tilted against the plane, thin enough to lie
// within the tolerance, goes to the side its far edge is on.
TEST(SplitPolyWithin, TiltedSliverWithinTheToleranceIsNotInThePlane) {
  const float tolerance = 1e-3f;
  const Plane floor = planeOf(0, 0, 1, 0);
  const auto sliver = [](float lift) {
    return polyOf({pt(0, 0, 0), pt(1, 0, 0), pt(1, 0.01f, lift), pt(0, 0.01f, lift)});
  };
  const std::pair<float, Side> cases[] = {
      {0.0f, Side::On},       // in the plane
      {5e-4f, Side::Front},   // tilted by 1/20
      {-5e-4f, Side::Back},
      {5e-6f, Side::On},      // tilted by 1/2000: parallel as far as a plane can tell
  };
  for (const auto& [lift, side] : cases) {
    SplitParts parts;
    EXPECT_EQ(splitPolyWithin(sliver(lift), floor, tolerance, parts), side) << lift;
    EXPECT_FALSE(parts.back[0] || parts.front[0]) << lift;
  }
}

// A ring is cut only when it passes from one side to the other twice, its
// on-plane vertices skipped and the count taken round the ring: a
// hexagon whose corners rounding scatters just beyond the tolerance either
// way lies in the plane, however its on-plane corners fall at the end of
// the ring or the start.
TEST(SplitPolyWithin, OnlyARingThatCrossesTwiceIsCut) {
  const float up = 3 * kEpsilon, down = -3 * kEpsilon;
  const struct {
    std::vector<float> heights;  // of the hexagon's corners, in ring order
    Side side;
  } cases[] = {
      {{up, down, up, down, up, down}, Side::On},
      {{0, up, down, up, down, 0}, Side::On},
      {{down, up, 0, 0, up, down}, Side::Spanning},
      {{up, 0, down, down, 0, up}, Side::Spanning},
      {{0, 0, 1, 1, 0, 0}, Side::Front},
  };
  for (const auto& c : cases) {
    std::vector<Point3> ring = circle(6);
    for (std::size_t i = 0; i < ring.size(); ++i) ring[i].z = c.heights[i];
    SplitParts parts;
    EXPECT_EQ(splitPolyWithin(polyOf(ring), planeOf(0, 0, 1, 0), kEpsilon, parts), c.side) << c.heights[1];
    EXPECT_EQ(bool(parts.back[0]), c.side == Side::Spanning);
  }
}

}  // namespace
