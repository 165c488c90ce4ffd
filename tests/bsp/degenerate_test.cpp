// Polygons without area have the null plane; no tree may found a node on it.
#include <gtest/gtest.h>

#include <limits>

#include "bsp/tree_probe.h"
#include "polygon/test_shapes.h"

namespace {

PolyRef collinear(float z) { return polyOf({pt(-2, 0, z), pt(0, 0, z), pt(2, 0, z)}); }

TEST(Degenerate, NoNodeIsFoundedOnOne) {
  const PolyRef flat = collinear(0.5f), square = squareAt(0);
  const PolyRef inf = polyOf({pt(0, 0, 0), pt(std::numeric_limits<float>::infinity(), 0, 0), pt(0, 1, 0)});
  BspTree tree;
  tree.insert(listOf({flat, inf}), Side::Spanning, Side::Spanning);
  EXPECT_TRUE(tree.isEmpty());
  tree.insert(listOf({square, inf, flat}), Side::Front, Side::Front);
  EXPECT_EQ(allPolys(tree), std::vector<const CountedPoly*>{square.get()});
  EXPECT_EQ(flat->refCount, 1);
  EXPECT_EQ(inf->refCount, 1);
}

TEST(Degenerate, DroppedWhereverTheyMeetANode) {
  BspTree tree;
  tree.insert(listOf({cubeFace(1), cubeFace(2), cubeFace(3)}), Side::Front, Side::Front);
  const PolyRef flat = collinear(0.5f), onRoot = collinear(-1);
  tree.insert(listOf({flat, squareAt(0), onRoot}), Side::Spanning, Side::Spanning);
  EXPECT_TRUE(allPlanesUsable(tree));
  EXPECT_EQ(flat->refCount, 1);
  EXPECT_EQ(onRoot->refCount, 1);

  PolyListRef result;
  tree.pushPoly(flat, result, Side::Back, Side::Spanning);
  tree.pushList(listOf({flat, onRoot}), result, Side::Front, Side::Spanning);
  BspTree().pushList(listOf({flat}), result, Side::Back, Side::Back);
  EXPECT_EQ(result->isEmpty(), 1);
}

}  // namespace
