#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "bsp/tree_probe.h"
#include "polygon/test_shapes.h"

namespace {

using Polys = std::vector<const CountedPoly*>;

const CountedPoly* founder(const BspTree& tree) { return contents(*tree.root->coplanar).back(); }

TEST(Insert, EmptyTreeKeepsTheListOnlyWhenItsCellKeepsIt) {
  BspTree tree;
  tree.insert(PolyListRef(), Side::Spanning, Side::Spanning);
  EXPECT_TRUE(tree.isEmpty());
  const PolyRef below = squareAt(0), above = squareAt(1);
  const PolyListRef list = listOf({above, below});
  tree.insert(list, Side::Back, Side::Spanning);
  tree.insert(list, Side::Front, Side::Spanning);
  EXPECT_TRUE(tree.isEmpty());
  EXPECT_EQ(contents(*list), (Polys{below.get(), above.get()}));
  // Founded by the head; the subtree carries on with Spanning, so `above`
  // survives the front cell although keep is Back.
  tree.insert(list, Side::Back, Side::Back);
  EXPECT_EQ(founder(tree), below.get());
  EXPECT_EQ(founder(tree.root->front), above.get());
  EXPECT_EQ(list->isEmpty(), 1);
}

TEST(Insert, PolygonsInTheNodesPlaneJoinItEitherWayRound) {
  const PolyRef up = squareAt(0), down = polyOf({pt(1, -1, 0), pt(-1, -1, 0), pt(-1, 1, 0), pt(1, 1, 0)});
  const PolyRef touching = polyOf({pt(1, 0, 0), pt(-1, 0, 0), pt(0, 0, -1)});
  BspTree tree;
  tree.insert(listOf({up}), Side::Front, Side::Front);
  tree.insert(listOf({down}), Side::Front, Side::Back);  // side plays no part in a non-empty tree
  tree.insert(listOf({touching}), Side::Spanning, Side::Spanning);
  EXPECT_EQ(contents(*tree.root->coplanar), (Polys{down.get(), up.get()}));
  EXPECT_EQ(founder(tree.root->back), touching.get());  // passed on whole, as the same object
}

TEST(Insert, CubeBuildsTheChainOfBackSubtrees) {
  std::vector<PolyRef> f;
  for (int i = 1; i <= 6; ++i) f.push_back(cubeFace(i));
  auto* tree = new BspTree;
  tree->insert(listOf({f[5], f[4], f[3], f[2], f[1], f[0]}), Side::Front, Side::Front);
  Polys chain;
  for (const BspTree* t = tree; !t->isEmpty(); t = &t->root->back) {
    EXPECT_TRUE(t->root->front.isEmpty());
    chain.push_back(founder(*t));
  }
  EXPECT_EQ(chain, (Polys{f[0].get(), f[5].get(), f[1].get(), f[4].get(), f[2].get(), f[3].get()}));
  EXPECT_EQ(f[0]->refCount, 2);
  delete tree;
  for (const PolyRef& face : f) EXPECT_EQ(face->refCount, 1);
}

// A 6 x 6 square through the middle of the cube: 4 of its 36 lie inside.
TEST(Insert, KeepCodeSelectsInsideOrOutsidePieces) {
  for (const Side keep : {Side::Back, Side::Front}) {
    BspTree tree;
    tree.insert(listOf({cubeFace(6), cubeFace(5), cubeFace(4), cubeFace(3), cubeFace(2), cubeFace(1)}),
                Side::Front, Side::Front);
    tree.insert(listOf({polyOf({pt(3, 3, 0), pt(-3, 3, 0), pt(-3, -3, 0), pt(3, -3, 0)})}), keep, Side::Spanning);
    double total = 0;
    for (const CountedPoly* p : allPolys(tree)) {
      if (p->plane.w != 0.0f) continue;  // a cube face
      total += area(*p);
      const Point3 c = centroid(*p);
      EXPECT_EQ(std::fabs(c.x) < 1 && std::fabs(c.y) < 1, keep == Side::Back);
    }
    EXPECT_NEAR(total, keep == Side::Back ? 4.0 : 32.0, 1e-5);
  }
}

}  // namespace
