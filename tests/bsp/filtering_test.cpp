#include <gtest/gtest.h>

#include <vector>

#include "bsp/bsp_node.h"
#include "bsp/bsp_tree.h"
#include "bsp/tree_probe.h"
#include "polygon/test_shapes.h"

namespace {

using Polys = std::vector<const CountedPoly*>;

double totalArea(const PolyList& list) {
  double total = 0;
  for (const CountedPoly* p : contents(list)) total += area(*p);
  return total;
}

// The square [-1, 1]^2 in the plane z = 1, facing +z (plane constant -1),
// and facing -z (constant +1).
PolyRef up() { return squareAt(1); }
PolyRef down() { return polyOf({pt(1, -1, 1), pt(-1, -1, 1), pt(-1, 1, 1), pt(1, 1, 1)}); }

// A wall in the plane x = 0, facing +x, wholly below the squares and cutting
// their shadow in half.
PolyRef wallBelow() { return polyOf({pt(0, 0, 0.5f), pt(0, -2, -0.5f), pt(0, 0, -2), pt(0, 2, -0.5f)}); }

TEST(Filter, EmptyTreeKeepsOnlyWhenKeepIsItsSide) {
  const BspTree tree;
  const PolyRef p = up();
  PolyListRef result;
  tree.pushPoly(p, result, Side::Front, Side::Back);
  tree.pushPoly(p, result, Side::Spanning, Side::Front);
  EXPECT_EQ(result->isEmpty(), 1);
  tree.pushPoly(p, result, Side::Back, Side::Back);
  EXPECT_EQ(contents(*result), Polys{p.get()});

  const PolyListRef list = listOf({squareAt(1), squareAt(2)});
  tree.pushList(list, result, Side::Spanning, Side::Back);
  EXPECT_EQ(contents(*list).size(), 2u);
  tree.pushList(list, result, Side::Front, Side::Front);
  EXPECT_EQ(list->isEmpty(), 1);
  EXPECT_EQ(contents(*result).size(), 3u);
  tree.pushList(PolyListRef(), result, Side::Front, Side::Front);
  EXPECT_EQ(contents(*result).size(), 3u);
}

TEST(Filter, PolygonInANodesPlaneStopsThereWhateverTheKeep) {
  BspTree tree;
  tree.insert(listOf({wallBelow(), up()}), Side::Front, Side::Front);
  ASSERT_FALSE(tree.root->back.isEmpty());
  ASSERT_TRUE(tree.root->front.isEmpty());
  for (const Side keep : {Side::Back, Side::Front}) {
    const PolyRef p = down();  // the wall would cut it, if it went further
    PolyListRef viaPoly, viaList;
    tree.pushPoly(p, viaPoly, keep, Side::Spanning);
    tree.pushList(listOf({p}), viaList, keep, Side::Spanning);
    EXPECT_EQ(contents(*viaPoly), Polys{p.get()});
    EXPECT_EQ(contents(*viaList), Polys{p.get()});
  }
}

TEST(Filter, PolyAndListKeepTheSamePieces) {
  BspTree tree;
  tree.insert(listOf({cubeFace(1), cubeFace(2), cubeFace(3), cubeFace(4), cubeFace(5), cubeFace(6)}),
              Side::Front, Side::Front);
  const PolyRef big = polyOf({pt(3, 3, 0.5f), pt(-3, 3, 0.5f), pt(-3, -3, 0.5f), pt(3, -3, 0.5f)});
  for (const Side keep : {Side::Back, Side::Front}) {
    PolyListRef viaPoly, viaList;
    tree.pushPoly(big, viaPoly, keep, Side::Spanning);
    tree.pushList(listOf({big}), viaList, keep, Side::Spanning);
    const double expected = keep == Side::Back ? 4.0 : 32.0;
    EXPECT_NEAR(totalArea(*viaPoly), expected, 1e-5);
    EXPECT_NEAR(totalArea(*viaList), expected, 1e-5);
  }
  EXPECT_EQ(big->refCount, 1);
}

TEST(Reduce, EmptyTreeAndLeafNodesKeepEverything) {
  BspTree empty;
  empty.reduce();
  EXPECT_TRUE(empty.isEmpty());

  const PolyRef a = up(), b = down(), c = up();
  BspTree tree;
  tree.insert(listOf({c, b, a}), Side::Front, Side::Front);
  ASSERT_EQ(contents(*tree.root->coplanar), (Polys{c.get(), b.get(), a.get()}));
  tree.reduce();
  EXPECT_EQ(contents(*tree.root->coplanar), (Polys{a.get(), b.get(), c.get()}));
}

// A square over a wall x = 0 behind it: only the half over the wall's back
// cell (x < 0) has solid behind the square, and the square's front cell is
// empty space, so reduce keeps that half, whichever way the square faces
// (and so whichever subtree cuts it first).
TEST(Reduce, KeepsThePartWithSolidBehindAndSpaceInFront) {
  for (const bool facingUp : {true, false}) {
    SCOPED_TRACE(facingUp);
    BspTree tree;
    tree.insert(listOf({wallBelow(), up()}), Side::Front, Side::Front);
    ASSERT_TRUE(tree.root->front.isEmpty());
    if (!facingUp) {
      tree.root->coplanar = listOf({down()});
    }
    tree.reduce();
    const Polys kept = contents(*tree.root->coplanar);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_NEAR(area(*kept[0]), 2.0, 1e-6);
    for (int i = 0; i < kept[0]->vertexCount; ++i) EXPECT_LE(kept[0]->vertices[i].x, 0.0f);
  }
}

TEST(Reduce, FrontSubtreeTrimsFromTheOtherSide) {
  // The wall above the square: its front cell (x > 0) is the empty space
  // the square's front may face; its back cell counts as solid.
  const PolyRef wallAbove = polyOf({pt(0, 0, 3), pt(0, -2, 2), pt(0, 0, 1.5f), pt(0, 2, 2)});
  BspTree tree;
  tree.insert(listOf({wallAbove, up()}), Side::Front, Side::Front);
  ASSERT_FALSE(tree.root->front.isEmpty());
  ASSERT_TRUE(tree.root->back.isEmpty());
  tree.reduce();
  const Polys kept = contents(*tree.root->coplanar);
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_NEAR(area(*kept[0]), 2.0, 1e-6);
  for (int i = 0; i < kept[0]->vertexCount; ++i) EXPECT_GE(kept[0]->vertices[i].x, 0.0f);
}

}  // namespace
