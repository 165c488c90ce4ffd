#include <gtest/gtest.h>

#include <vector>

#include "polygon/test_shapes.h"

namespace {

TEST(PolyRef, CountsFollowEveryHandleAndReturnToTheStart) {
  const PolyRef p = squareAt(0), q = squareAt(1);
  {
    PolyRef handle = p;
    handle = q;  // takes the new hold before dropping the old
    handle = handle;
    handle = q.get();
    EXPECT_EQ(p->refCount, 1);
    EXPECT_EQ(q->refCount, 2);
    const PolyListRef list = listOf({p});
    PolyListRef other;
    other = list;
    EXPECT_EQ(list->refCount, 2);
    EXPECT_EQ(p->refCount, 2);
  }
  EXPECT_EQ(p->refCount, 1);
  EXPECT_EQ(q->refCount, 1);
}

// 255 holders fill an 8-bit count; a 256th would wrap it to 0 and let the
// next release free a polygon that is still held.
TEST(PolyRefDeathTest, MisuseEndsTheProgram) {
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
  PolyListRef source = listOf({p1, p2, p3});
  EXPECT_EQ(source->pop().get(), p3.get());
  EXPECT_EQ(source->pop().get(), p2.get());
  source->add(p2);
  source->add(p3);
  PolyListRef target = listOf({p4});
  target->appendAll(source);
  EXPECT_EQ(contents(*target), (Polys{p1.get(), p2.get(), p3.get(), p4.get()}));
  EXPECT_EQ(source->isEmpty(), 1);
  target->appendAll(target);
  EXPECT_EQ(contents(*target).size(), 4u);
  target->clear();
  EXPECT_FALSE(target->pop());
  EXPECT_EQ(p1->refCount, 1);
}

}  // namespace
