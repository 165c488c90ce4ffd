#include <gtest/gtest.h>

#include <vector>

#include "geometry/tolerance.h"
#include "polygon/test_shapes.h"

namespace {

using Polys = std::vector<const CountedPoly*>;

float outBy(float v, double margin) { return static_cast<float>(double(v) + margin); }

TEST(PolyList, IsLastInFirstOut) {
  const PolyRef p1 = squareAt(1), p2 = squareAt(2), p3 = squareAt(3);
  PolyListRef list = listOf({p1, p2, p3});
  EXPECT_EQ(list->pop().get(), p3.get());
  EXPECT_EQ(list->pop().get(), p2.get());
  EXPECT_EQ(list->pop().get(), p1.get());
  EXPECT_FALSE(list->pop());
  EXPECT_EQ(list->isEmpty(), 1);
  EXPECT_EQ(p1->refCount, 1);
  EXPECT_EQ(list->box.max.z, outBy(3, 1e-5));  // pop leaves the box alone
}

TEST(PolyList, AppendAllMovesTheRunReversedToTheHead) {
  const PolyRef p1 = squareAt(1), p2 = squareAt(2), p3 = squareAt(3), p4 = squareAt(4);
  PolyListRef source = listOf({p3, p2, p1});  // reads P1, P2, P3 from the head
  PolyListRef target = listOf({p4});
  target->appendAll(source);
  EXPECT_EQ(contents(*target), (Polys{p3.get(), p2.get(), p1.get(), p4.get()}));
  EXPECT_EQ(source->isEmpty(), 1);
  EXPECT_EQ(target->box.min.z, outBy(1, -1e-5));
  target->appendAll(target);
  EXPECT_EQ(contents(*target).size(), 4u);
  target->clear();
  EXPECT_EQ(target->isEmpty(), 1);
  EXPECT_EQ(p1->refCount, 1);
  EXPECT_EQ(target->box.max.z, outBy(4, 1e-5));
}

TEST(PolyListDeathTest, AddingAnEmptyHandleEndsTheProgram) {
  EXPECT_DEATH(PolyListRef()->add(PolyRef()), "empty polygon handle");
}

TEST(BoundingBox, GrowsStrictlyBeyondItsMargin) {
  BoundingBox box;
  box.grow(pt(1, 2, 3));
  EXPECT_TRUE(sameTuple(box.max, Tuple4(outBy(1, 1e-5), outBy(2, 1e-5), outBy(3, 1e-5), 1)));
  EXPECT_TRUE(sameTuple(box.min, Tuple4(outBy(1, -1e-5), outBy(2, -1e-5), outBy(3, -1e-5), 1)));
  box.grow(pt(1 + kEpsilon / 2, 2, 3));
  EXPECT_EQ(box.max.x, outBy(1, 1e-5));

  BoundingBox far;
  far.grow(pt(-200000, 0, 0));
  EXPECT_EQ(far.max.x, -100000.0f);
  EXPECT_EQ(far.min.x, outBy(-200000, -1e-5));
}

}  // namespace
