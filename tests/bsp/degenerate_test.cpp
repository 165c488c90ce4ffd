// Polygons without area have the null plane; no tree may found a node on it.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "bsp/bsp_node.h"
#include "bsp/bsp_tree.h"
#include "bsp/tree_probe.h"
#include "polygon/test_shapes.h"

namespace {

using Polys = std::vector<const CountedPoly*>;

PolyRef collinear() { return polyOf({pt(-2, 0, 0.5f), pt(0, 0, 0.5f), pt(2, 0, 0.5f)}); }
PolyRef infinite() {
  return polyOf({pt(0, 0, 0), pt(std::numeric_limits<float>::infinity(), 0, 0), pt(0, 1, 0)});
}

TEST(Degenerate, TreeIsFoundedByTheFirstPolygonWithAPlane) {
  const PolyRef flat = collinear(), inf = infinite(), square = squareAt(0);
  BspTree tree;
  tree.insert(listOf({square, inf, flat}), Side::Front, Side::Front);
  ASSERT_FALSE(tree.isEmpty());
  EXPECT_EQ(allPolys(tree), Polys{square.get()});
  EXPECT_TRUE(allPlanesUsable(tree));
  EXPECT_EQ(flat->refCount, 1);
  EXPECT_EQ(inf->refCount, 1);
}

TEST(Degenerate, ListOfOnlyDegeneratePolygonsLeavesTheTreeEmpty) {
  BspTree tree;
  tree.insert(listOf({collinear(), infinite()}), Side::Spanning, Side::Spanning);
  EXPECT_TRUE(tree.isEmpty());
}

TEST(Degenerate, DroppedWhereverTheyMeetANode) {
  BspTree tree;
  tree.insert(listOf({cubeFace(1), cubeFace(2), cubeFace(3)}), Side::Front, Side::Front);
  const PolyRef flat = collinear(), onRoot = polyOf({pt(0, 0, -1), pt(1, 1, -1), pt(2, 2, -1)});
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
