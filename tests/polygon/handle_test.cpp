#include <gtest/gtest.h>

#include <vector>

#include "polygon/poly_list_ref.h"
#include "polygon/poly_ref.h"
#include "polygon/test_shapes.h"

namespace {

TEST(PolyRef, CountsItsHolders) {
  const PolyRef p = squareAt(0);
  EXPECT_EQ(p->refCount, 1);
  {
    const PolyRef copy = p;
    EXPECT_EQ(copy.get(), p.get());
    EXPECT_EQ(p->refCount, 2);
    const PolyRef empty;
    EXPECT_FALSE(empty);
  }
  EXPECT_EQ(p->refCount, 1);
}

TEST(PolyRef, AssignmentMovesOneHoldFromOldToNew) {
  const PolyRef p = squareAt(0);
  const PolyRef q = squareAt(1);
  PolyRef handle = p;
  EXPECT_EQ(p->refCount, 2);
  handle = q;
  EXPECT_EQ(p->refCount, 1);
  EXPECT_EQ(q->refCount, 2);
  handle = nullptr;
  EXPECT_FALSE(handle);
  EXPECT_EQ(q->refCount, 1);
  handle = q.get();
  EXPECT_EQ(q->refCount, 2);
}

TEST(PolyRef, ReassigningWhatItHoldsChangesNothing) {
  PolyRef p = squareAt(0);
  PolyRef& alias = p;
  p = alias;
  p = p.get();
  EXPECT_EQ(p->refCount, 1);
}

TEST(PolyListRef, AlwaysHoldsAListAndSharesIt) {
  const PolyListRef a;
  ASSERT_TRUE(a);
  EXPECT_EQ(a->refCount, 1);
  EXPECT_EQ(a->isEmpty(), 1);
  PolyListRef b;
  b = a;
  EXPECT_EQ(a->refCount, 2);
  EXPECT_EQ(b.get(), a.get());
}

TEST(PolyListRef, LastHandleReleasesTheListsPolygons) {
  const PolyRef p = squareAt(0);
  {
    const PolyListRef list = listOf({p});
    EXPECT_EQ(p->refCount, 2);
  }
  EXPECT_EQ(p->refCount, 1);
}

// 255 holders fill an 8-bit count; a 256th would wrap it to 0 and let the
// next release free a polygon that is still held.
TEST(CountedRefDeathTest, A256thHoldEndsTheProgram) {
  const PolyRef p = squareAt(0);
  std::vector<PolyRef> holders(254, p);
  EXPECT_EQ(p->refCount, 255);
  holders.back() = p;  // at the limit, re-pointing a handle at its own target is fine
  EXPECT_EQ(p->refCount, 255);
  EXPECT_DEATH({ const PolyRef one = p; }, "more than 255 handles");
  EXPECT_DEATH({ PolyRef one; one = p; }, "more than 255 handles");
  EXPECT_DEATH({ PolyListRef list; list->add(p); }, "more than 255 handles");
}

TEST(CountedRefDeathTest, A256thListHandleEndsTheProgram) {
  const PolyListRef list;
  std::vector<PolyListRef> holders(254, list);
  EXPECT_EQ(list->refCount, 255);
  EXPECT_DEATH({ const PolyListRef one = list; }, "more than 255 handles");
}

}  // namespace
