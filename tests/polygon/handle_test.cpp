#include <gtest/gtest.h>

#include <vector>

#include "polygon/test_shapes.h"

namespace {

TEST(PolyRef, AssignmentTakesTheNewHoldBeforeDroppingTheOld) {
  const PolyRef p = squareAt(0), q = squareAt(1);
  PolyRef handle = p;
  EXPECT_EQ(p->refCount, 2);
  handle = q;
  EXPECT_EQ(p->refCount, 1);
  EXPECT_EQ(q->refCount, 2);
  handle = handle;
  handle = q.get();
  EXPECT_EQ(q->refCount, 2);
  handle = nullptr;
  EXPECT_FALSE(handle);
  EXPECT_EQ(q->refCount, 1);
}

TEST(PolyListRef, LastHandleReleasesTheListsPolygons) {
  const PolyRef p = squareAt(0);
  {
    const PolyListRef list = listOf({p});
    PolyListRef other;
    other = list;
    EXPECT_EQ(list->refCount, 2);
    EXPECT_EQ(p->refCount, 2);
  }
  EXPECT_EQ(p->refCount, 1);
}

// 255 holders fill an 8-bit count; a 256th would wrap it to 0 and let the
// next release free a polygon that is still held.
TEST(CountedRefDeathTest, A256thHoldEndsTheProgram) {
  const PolyRef p = squareAt(0);
  std::vector<PolyRef> holders(254, p);
  holders.back() = p;  // re-pointing a handle at its own target is fine at the limit
  EXPECT_EQ(p->refCount, 255);
  EXPECT_DEATH({ const PolyRef one = p; }, "more than 255 handles");
  EXPECT_DEATH({ PolyListRef list; list->add(p); }, "more than 255 handles");

  const PolyListRef list;
  std::vector<PolyListRef> listHolders(254, list);
  EXPECT_DEATH({ const PolyListRef one = list; }, "more than 255 handles");
}

}  // namespace
