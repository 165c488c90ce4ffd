#include <gtest/gtest.h>

#include <vector>

#include "bsp/tree_probe.h"
#include "polygon/test_shapes.h"

namespace {

using Polys = std::vector<const CountedPoly*>;

// The square [-1, 1]^2 at z = 1 facing +z (plane constant -1) and facing -z
// (constant +1), and walls x = 0 facing +x wholly below and above it.
PolyRef up() { return squareAt(1); }
PolyRef down() { return polyOf({pt(1, -1, 1), pt(-1, -1, 1), pt(-1, 1, 1), pt(1, 1, 1)}); }
PolyRef wallBelow() { return polyOf({pt(0, 0, 0.5f), pt(0, -2, -0.5f), pt(0, 0, -2), pt(0, 2, -0.5f)}); }
PolyRef wallAbove() { return polyOf({pt(0, 0, 3), pt(0, -2, 2), pt(0, 0, 1.5f), pt(0, 2, 2)}); }

TEST(Filter, EmptyTreeKeepsOnlyWhenKeepIsItsSide) {
  const BspTree tree;
  const PolyRef p = up();
  PolyListRef result;
  tree.pushPoly(p, result, Side::Front, Side::Back);
  tree.pushPoly(p, result, Side::Spanning, Side::Front);
  const PolyListRef list = listOf({squareAt(2)});
  tree.pushList(list, result, Side::Spanning, Side::Back);
  EXPECT_EQ(result->isEmpty(), 1);
  EXPECT_EQ(list->isEmpty(), 0);
  tree.pushPoly(p, result, Side::Back, Side::Back);
  tree.pushList(list, result, Side::Front, Side::Front);
  EXPECT_EQ(contents(*result).size(), 2u);
  EXPECT_EQ(list->isEmpty(), 1);
}

TEST(Filter, PolygonInANodesPlaneStopsThereWhateverTheKeep) {
  BspTree tree;
  tree.insert(listOf({wallBelow(), up()}), Side::Front, Side::Front);
  ASSERT_FALSE(tree.root->back.isEmpty());
  for (const Side keep : {Side::Back, Side::Front}) {
    const PolyRef p = down();  // the wall below would cut it, if it went further
    PolyListRef viaPoly, viaList;
    tree.pushPoly(p, viaPoly, keep, Side::Spanning);
    tree.pushList(listOf({p}), viaList, keep, Side::Spanning);
    EXPECT_EQ(contents(*viaPoly), Polys{p.get()});
    EXPECT_EQ(contents(*viaList), Polys{p.get()});
  }
}

TEST(Reduce, LeafNodeKeepsEverythingReversed) {
  BspTree tree;
  tree.reduce();
  const PolyRef a = up(), b = down(), c = up();
  tree.insert(listOf({c, b, a}), Side::Front, Side::Front);
  tree.reduce();
  EXPECT_EQ(contents(*tree.root->coplanar), (Polys{a.get(), b.get(), c.get()}));
}

// Only the half of the square over the wall's back cell (x < 0) has solid
// behind it, and with the wall above only the half over its front cell has
// space in front: reduce keeps that half, whichever way the square faces
// (and so whichever subtree cuts it first).
TEST(Reduce, KeepsThePartWithSolidBehindAndSpaceInFront) {
  for (const bool wallIsBelow : {true, false}) {
    for (const bool facingUp : {true, false}) {
      BspTree tree;
      tree.insert(listOf({wallIsBelow ? wallBelow() : wallAbove(), up()}), Side::Front, Side::Front);
      if (!facingUp) tree.root->coplanar = listOf({down()});
      tree.reduce();
      const Polys kept = contents(*tree.root->coplanar);
      ASSERT_EQ(kept.size(), 1u);
      EXPECT_NEAR(area(*kept[0]), 2.0, 1e-6);
      EXPECT_EQ(centroid(*kept[0]).x < 0, wallIsBelow);
    }
  }
}

}  // namespace
