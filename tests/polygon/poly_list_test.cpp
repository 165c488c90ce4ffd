#include <gtest/gtest.h>

#include <vector>

#include "geometry/tolerance.h"
#include "polygon/poly_list_ref.h"
#include "polygon/test_shapes.h"

namespace {

using Polys = std::vector<const CountedPoly*>;

float outBy(float v, double margin) { return static_cast<float>(double(v) + margin); }

TEST(PolyList, PopOnEmptyChangesNothing) {
  PolyListRef list;
  const PolyRef r = list->pop();
  EXPECT_FALSE(r);
  EXPECT_EQ(list->isEmpty(), 1);
  EXPECT_EQ(list->box.max.x, -100000.0f);
  EXPECT_EQ(list->box.min.x, 100000.0f);
}

TEST(PolyList, IsLastInFirstOut) {
  const PolyRef p1 = squareAt(1), p2 = squareAt(2), p3 = squareAt(3);
  PolyListRef list = listOf({p1, p2, p3});
  EXPECT_EQ(p1->refCount, 2);
  EXPECT_EQ(list->isEmpty(), 0);
  EXPECT_EQ(list->pop().get(), p3.get());
  EXPECT_EQ(list->pop().get(), p2.get());
  EXPECT_EQ(list->pop().get(), p1.get());
  EXPECT_FALSE(list->pop());
  EXPECT_EQ(p1->refCount, 1);
}

TEST(PolyList, AppendAllMovesTheRunReversedToTheHead) {
  const PolyRef p1 = squareAt(1), p2 = squareAt(2), p3 = squareAt(3), p4 = squareAt(4);
  PolyListRef source = listOf({p3, p2, p1});  // reads P1, P2, P3 from the head
  PolyListRef target = listOf({p4});
  target->appendAll(source);
  EXPECT_EQ(contents(*target), (Polys{p3.get(), p2.get(), p1.get(), p4.get()}));
  EXPECT_EQ(source->isEmpty(), 1);
  EXPECT_EQ(p1->refCount, 2);
  EXPECT_EQ(target->box.max.z, outBy(4, 1e-5));
  EXPECT_EQ(target->box.min.z, outBy(1, -1e-5));
  EXPECT_EQ(source->box.max.z, outBy(3, 1e-5));  // the source keeps its extent
}

TEST(PolyList, AppendingAListToItselfChangesNothing) {
  const PolyRef p1 = squareAt(1), p2 = squareAt(2);
  PolyListRef list = listOf({p1, p2});
  list->appendAll(list);
  EXPECT_EQ(contents(*list), (Polys{p2.get(), p1.get()}));
}

TEST(PolyList, ClearReleasesEveryPolygonAndKeepsTheBox) {
  const PolyRef p = squareAt(2);
  PolyListRef list = listOf({p, squareAt(3)});
  list->clear();
  EXPECT_EQ(list->isEmpty(), 1);
  EXPECT_EQ(p->refCount, 1);
  EXPECT_EQ(list->box.max.z, outBy(3, 1e-5));
  EXPECT_EQ(list->refCount, 1);
}

TEST(PolyListDeathTest, AddingAnEmptyHandleEndsTheProgram) {
  PolyListRef list;
  EXPECT_DEATH(list->add(PolyRef()), "empty polygon handle");
}

TEST(BoundingBox, GrowsByThePointPlusTheMargin) {
  BoundingBox box;
  box.grow(pt(1, 2, 3));
  EXPECT_EQ(box.max.x, outBy(1, 1e-5));
  EXPECT_EQ(box.max.y, outBy(2, 1e-5));
  EXPECT_EQ(box.max.z, outBy(3, 1e-5));
  EXPECT_EQ(box.min.x, outBy(1, -1e-5));
  EXPECT_EQ(box.min.y, outBy(2, -1e-5));
  EXPECT_EQ(box.min.z, outBy(3, -1e-5));
  EXPECT_EQ(box.max.w, 1.0f);
  EXPECT_EQ(box.min.w, 1.0f);
}

TEST(BoundingBox, PointsWithinTheMarginChangeNothing) {
  BoundingBox box;
  box.grow(pt(0, 0, 0));
  box.grow(pt(kEpsilon / 2, 0, 0));
  EXPECT_EQ(box.max.x, kEpsilon);
}

TEST(BoundingBox, FarNegativePointsLeaveTheStartingMaximum) {
  BoundingBox box;
  box.grow(pt(-200000, -300000, -400000));
  box.grow(pt(-250000, -300000, -400000));
  EXPECT_EQ(box.max.x, -100000.0f);
  EXPECT_EQ(box.min.x, outBy(-250000, -1e-5));
}

}  // namespace
