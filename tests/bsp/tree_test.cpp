#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "bsp/draw_hook.h"
#include "bsp/tree_probe.h"

namespace {
Polys drawn;
}

void drawPoly(PolyRef polyRef) { drawn.push_back(polyRef.get()); }

namespace {

Polys drawnFrom(const BspTree& tree, const Point3& eye) {
  drawn.clear();
  tree.draw(eye);
  return drawn;
}

const CountedPoly* founder(const BspTree& tree) { return contents(*tree.root->coplanar).back(); }

// Each face has all the others behind it, so the faces found a chain of back
// subtrees; each node passes its back list on reversed.
TEST(BspTree, CubeFoundsAChainDrawnBackToFront) {
  std::vector<PolyRef> f;
  for (int i = 1; i <= 6; ++i) f.push_back(cubeFace(i));
  const auto faces = [&](std::initializer_list<int> numbers) {
    Polys polys;
    for (const int i : numbers) polys.push_back(f[i - 1].get());
    return polys;
  };
  auto* tree = new BspTree;
  tree->insert(listOf({f[5], f[4], f[3], f[2], f[1], f[0]}), Side::Front, Side::Front);
  Polys chain;
  for (const BspTree* t = tree; !t->isEmpty(); t = &t->root->back) {
    EXPECT_TRUE(t->root->front.isEmpty());
    chain.push_back(founder(*t));
  }
  EXPECT_EQ(chain, faces({1, 6, 2, 5, 3, 4}));
  // Inside, behind every face: each node before the ones below it.
  EXPECT_EQ(drawnFrom(*tree, pt(0, 0, 0)), faces({1, 6, 2, 5, 3, 4}));
  // In front of F1 only, or on its plane, which counts as in front: the faces
  // turned away come first (culling is the hook's business), F1 last.
  for (const float z : {5.0f, 1.0f}) EXPECT_EQ(drawnFrom(*tree, pt(0, 0, z)), faces({6, 2, 5, 3, 4, 1}));
  EXPECT_TRUE(drawnFrom(BspTree(), pt(0, 0, 0)).empty());
  EXPECT_EQ(f[0]->refCount, 2);
  delete tree;
  for (const PolyRef& face : f) EXPECT_EQ(face->refCount, 1);
}

TEST(BspTree, PolygonsInANodesPlaneJoinItEitherWayRound) {
  const PolyRef up = squareAt(0), down = flipped(up);
  const PolyRef touching = polyOf({pt(1, 0, 0), pt(-1, 0, 0), pt(0, 0, -1)});
  BspTree tree;
  tree.insert(listOf({up}), Side::Front, Side::Front);
  tree.insert(listOf({down}), Side::Front, Side::Back);  // side plays no part in a non-empty tree
  tree.insert(listOf({touching}), Side::Spanning, Side::Spanning);
  EXPECT_EQ(contents(*tree.root->coplanar), (Polys{down.get(), up.get()}));
  EXPECT_EQ(founder(tree.root->back), touching.get());  // passed on whole, as the same object
}

// A 6 x 6 square through the middle of the cube: 4 of its 36 lie inside.
TEST(BspTree, KeepCodeSelectsInsideOrOutsidePieces) {
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

// Polygons without area have the null plane: no node may be founded on one,
// and every operation drops them wherever it meets them.
TEST(BspTree, DegeneratePolygonsNeverReachANode) {
  const PolyRef flat = polyOf({pt(-2, 0, 0.5f), pt(0, 0, 0.5f), pt(2, 0, 0.5f)});
  const PolyRef onRoot = polyOf({pt(-2, 0, 1), pt(0, 0, 1), pt(2, 0, 1)});
  const PolyRef inf = polyOf({pt(0, 0, 0), pt(std::numeric_limits<float>::infinity(), 0, 0), pt(0, 1, 0)});
  BspTree tree;
  tree.insert(listOf({cubeFace(1), cubeFace(2), cubeFace(3), inf, flat}), Side::Front, Side::Front);
  tree.insert(listOf({flat, squareAt(0), onRoot, inf}), Side::Spanning, Side::Spanning);
  EXPECT_TRUE(allPlanesUsable(tree));
  EXPECT_EQ(allPolys(tree).size(), 4u);
  PolyListRef result;
  tree.pushPoly(flat, result, Side::Back, Side::Spanning);
  tree.pushList(listOf({flat, onRoot}), result, Side::Front, Side::Spanning);
  BspTree().pushList(listOf({flat}), result, Side::Back, Side::Back);
  EXPECT_EQ(result->isEmpty(), 1);
  for (const CountedPoly* p : {flat.get(), onRoot.get(), inf.get()}) EXPECT_EQ(p->refCount, 1);
}

}  // namespace
