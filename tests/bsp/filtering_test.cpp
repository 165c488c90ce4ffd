#include <gtest/gtest.h>

#include "bsp/tree_probe.h"

namespace {

// Walls x = 0 facing +x, wholly below and wholly above the square at z = 1.
PolyRef wallBelow() { return polyOf({pt(0, 0, 0.5f), pt(0, -2, -0.5f), pt(0, 0, -2), pt(0, 2, -0.5f)}); }
PolyRef wallAbove() { return polyOf({pt(0, 0, 3), pt(0, -2, 2), pt(0, 0, 1.5f), pt(0, 2, 2)}); }

// An empty tree is one cell: it keeps what it is given only when keep is
// its side, and otherwise leaves a list untouched.
TEST(Filter, EmptyTreeKeepsOnlyWhenKeepIsItsSide) {
  const BspTree tree;
  const PolyListRef list = listOf({squareAt(2)}), result;
  for (const auto& [keep, side] : {std::pair(Side::Front, Side::Back), std::pair(Side::Spanning, Side::Front)}) {
    tree.pushPoly(squareAt(1), result, keep, side);
    tree.pushList(list, result, keep, side);
  }
  EXPECT_EQ(result->isEmpty(), 1);
  EXPECT_EQ(list->isEmpty(), 0);
  tree.pushPoly(squareAt(1), result, Side::Back, Side::Back);
  tree.pushList(list, result, Side::Front, Side::Front);
  EXPECT_EQ(contents(*result).size(), 2u);
  EXPECT_EQ(list->isEmpty(), 1);
}

TEST(Filter, PolygonInANodesPlaneStopsThereWhateverTheKeep) {
  BspTree tree;
  tree.insert(listOf({wallBelow(), squareAt(1)}), Side::Front, Side::Front);
  ASSERT_FALSE(tree.root->back.isEmpty());
  for (const Side keep : {Side::Back, Side::Front}) {
    const PolyRef p = flipped(squareAt(1));  // the wall below would cut it, if it went further
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
  const PolyRef a = squareAt(1), b = flipped(a), c = squareAt(1);
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
      tree.insert(listOf({wallIsBelow ? wallBelow() : wallAbove(), squareAt(1)}), Side::Front, Side::Front);
      if (!facingUp) tree.root->coplanar = listOf({flipped(squareAt(1))});
      tree.reduce();
      const Polys kept = contents(*tree.root->coplanar);
      ASSERT_EQ(kept.size(), 1u);
      EXPECT_NEAR(area(*kept[0]), 2.0, 1e-6);
      EXPECT_EQ(centroid(*kept[0]).x < 0, wallIsBelow);
    }
  }
}

}  // namespace
