#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "geometry/tolerance.h"
#include "polygon/ray.h"
#include "polygon/test_shapes.h"

namespace {

TEST(Poly, NewellPlaneFollowsTheWinding) {
  EXPECT_TRUE(tupleIs(cubeFace(1)->plane, 0, 0, 1, -1));
  EXPECT_TRUE(tupleIs(PolyRef(kCubeCorners, 4, 3, 2, 1, 0)->plane, 0, 0, -1, 1));
  // Far from the origin the float sums cancel; the plane is still exact.
  for (const float far : {1e6f, 1e7f, -4e6f}) {
    const PolyRef p = polyOf({pt(far + 1, far + 1, far + 1), pt(far - 1, far + 1, far + 1),
                              pt(far - 1, far - 1, far + 1), pt(far + 1, far - 1, far + 1)});
    EXPECT_TRUE(tupleIs(p->plane, 0, 0, 1, -(far + 1))) << far;
  }
  const PolyRef huge = polyOf({pt(1e10f, 1e10f, 1e10f), pt(-1e10f, 1e10f, 1e10f), pt(-1e10f, -1e10f, 1e10f)});
  EXPECT_TRUE(tupleIs(huge->plane, 0, 0, 1, -1e10f));
}

// A ring without area must not hand out a non-finite plane: it gets the
// null plane, which the tree operations recognise and drop.
TEST(Poly, RingsWithoutAreaGetTheNullPlane) {
  const float inf = std::numeric_limits<float>::infinity();
  const std::vector<PolyRef> degenerate = {
      polyOf({pt(0, 0, 0), pt(1, 1, 1), pt(2, 2, 2)}),
      polyOf({pt(1, 2, 3), pt(4, 5, 6)}),
      polyOf({pt(0, 0, 0), pt(1, 0, 0), pt(0, 1e-30f, 0)}),  // the squared length underflows
      polyOf({pt(0, 0, 0), pt(inf, 0, 0), pt(0, 1, 0)}),
      // Collinear in exact arithmetic; in float its Newell sum is noise whose
      // plane the vertices would lie far off.
      polyOf({pt(-16, -16, -16), pt(-10.9282036f, -10.9282036f, -10.9282036f),
              pt(2.92820334f, 2.92820334f, 2.92820334f)}),
  };
  for (const PolyRef& p : degenerate) {
    EXPECT_TRUE(p->isDegenerate());
    EXPECT_TRUE(tupleIs(p->plane, 0, 0, 0, 0));
  }
}

TEST(Plane, IntersectGivesTheUnclampedRayParameter) {
  const auto t = [](float z, float dz) { return planeOf(0, 0, 1, -1).intersect(Ray{pt(0, 0, z), Vector3(0, 0, dz)}); };
  EXPECT_EQ(t(2, 1), -1.0f);  // a genuine hit one length behind reads like a miss
  EXPECT_EQ(t(0, std::nextafter(kEpsilon, 0.0f)), -1.0f);
  EXPECT_EQ(t(0, kEpsilon), static_cast<float>(1.0 / double(kEpsilon)));  // no longer parallel
}

TEST(PolyRef, CountsFollowEveryHandleAndReturnToTheStart) {
  const PolyRef p = squareAt(0), q = squareAt(1);
  {
    PolyRef handle = p;
    handle = q;  // takes the new hold before dropping the old
    handle = handle;
    handle = q.get();
    const PolyListRef list = listOf({p});
    PolyListRef other;
    other = list;
    EXPECT_EQ(list->refCount, 2);
    EXPECT_EQ(p->refCount, 2);
    EXPECT_EQ(q->refCount, 2);
  }
  EXPECT_EQ(p->refCount, 1);
  EXPECT_EQ(q->refCount, 1);
}

// 255 holders fill an 8-bit count; a 256th would wrap it to 0 and let the
// next release free a polygon that is still held.
TEST(PolyDeathTest, MisuseEndsTheProgram) {
  const std::vector<Point3> ring = circle(256);
  EXPECT_DEATH(PolyRef(ring.data(), 0), "vertex count outside 1 to 255");
  EXPECT_DEATH(new CountedPoly(ring.data(), 256), "vertex count outside 1 to 255");
  const PolyRef p = squareAt(0);
  std::vector<PolyRef> holders(254, p);
  holders.back() = p;  // re-pointing a handle at its own target is fine at the limit
  EXPECT_DEATH({ const PolyRef one = p; }, "more than 255 handles");
  EXPECT_DEATH({ PolyListRef list; list->add(p); }, "more than 255 handles");
  const PolyListRef list;
  std::vector<PolyListRef> listHolders(254, list);
  EXPECT_DEATH({ const PolyListRef one = list; }, "more than 255 handles");
  EXPECT_DEATH(PolyListRef()->add(PolyRef()), "empty polygon handle");
}

TEST(PolyList, PopsLastInFirstOutAndAppendAllReversesTheRun) {
  const PolyRef p1 = squareAt(1), p2 = squareAt(2), p3 = squareAt(3), p4 = squareAt(4);
  PolyListRef source = listOf({p1, p2, p3}), target = listOf({p4});
  target->appendAll(source);
  EXPECT_EQ(contents(*target), (Polys{p1.get(), p2.get(), p3.get(), p4.get()}));
  EXPECT_EQ(source->isEmpty(), 1);
  target->appendAll(target);
  EXPECT_EQ(target->pop().get(), p1.get());
  EXPECT_EQ(contents(*target), (Polys{p2.get(), p3.get(), p4.get()}));
  target->clear();
  EXPECT_FALSE(target->pop());
  EXPECT_EQ(p1->refCount, 1);
}

}  // namespace
