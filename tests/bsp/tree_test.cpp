#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "bsp/draw_hook.h"
#include "bsp/tree_probe.h"

static Polys drawn;

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
  const Polys inside = {f[0].get(), f[5].get(), f[1].get(), f[4].get(), f[2].get(), f[3].get()};
  const Polys aboveF1 = {f[5].get(), f[1].get(), f[4].get(), f[2].get(), f[3].get(), f[0].get()};
  auto* tree = new BspTree;
  tree->insert(listOf({f[5], f[4], f[3], f[2], f[1], f[0]}), Side::Front, Side::Front);
  Polys chain;
  for (const BspTree* t = tree; !t->isEmpty(); t = &t->root->back) {
    EXPECT_TRUE(t->root->front.isEmpty());
    chain.push_back(founder(*t));
  }
  EXPECT_EQ(chain, inside);
  // Inside, behind every face: each node before the ones below it.
  EXPECT_EQ(drawnFrom(*tree, pt(0, 0, 0)), inside);
  // In front of F1 only, or on its plane, which counts as in front: the faces
  // turned away come first (culling is the hook's business), F1 last.
  for (const float z : {5.0f, 1.0f}) EXPECT_EQ(drawnFrom(*tree, pt(0, 0, z)), aboveF1);
  EXPECT_TRUE(drawnFrom(BspTree(), pt(0, 0, 0)).empty());
  delete tree;
  for (const PolyRef& face : f) EXPECT_EQ(face->refCount, 1);
}

// A polygon in a node's plane joins the node when inserted and is kept when
// filtered, either way round and whatever the keep, though the subtree
// behind would cut it.
TEST(BspTree, PolygonsInANodesPlaneStopThere) {
  const PolyRef up = cubeFace(1), down = PolyRef(kCubeCorners, 4, 3, 2, 1, 0);
  const PolyRef touching = polyOf({pt(1, 0, 1), pt(-1, 0, 1), pt(0, 0, 0)});
  BspTree tree;
  tree.insert(listOf({up}), Side::Front, Side::Front);
  tree.insert(listOf({down}), Side::Front, Side::Back);  // side plays no part in a non-empty tree
  tree.insert(listOf({touching}), Side::Spanning, Side::Spanning);
  EXPECT_EQ(contents(*tree.root->coplanar), (Polys{down.get(), up.get()}));
  EXPECT_EQ(founder(tree.root->back), touching.get());  // passed on whole, as the same object
  for (const Side keep : {Side::Back, Side::Front}) {
    PolyListRef viaPoly, viaList;
    tree.pushPoly(down, viaPoly, keep, Side::Spanning);
    tree.pushList(listOf({down}), viaList, keep, Side::Spanning);
    EXPECT_EQ(contents(*viaPoly), Polys{down.get()});
    EXPECT_EQ(contents(*viaList), Polys{down.get()});
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

// A polygon filtered whole through hundreds of nodes is passed down as the
// caller's handle, so its 8-bit count never grows with the depth.
TEST(Filter, DeepTreesDoNotCountAHandlePerLevel) {
  PolyListRef squares;
  for (int z = 0; z < 300; ++z) squares->add(squareAt(float(z)));
  BspTree tree;
  tree.insert(squares, Side::Front, Side::Front);
  const PolyRef probe = squareAt(298.5f);
  PolyListRef result;
  tree.pushPoly(probe, result, Side::Front, Side::Spanning);
  EXPECT_EQ(contents(*result), Polys{probe.get()});
  EXPECT_EQ(probe->refCount, 2);
}

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

TEST(Reduce, LeafNodeKeepsEverythingReversed) {
  BspTree tree;
  tree.reduce();
  const PolyRef a = cubeFace(1), b = PolyRef(kCubeCorners, 4, 3, 2, 1, 0), c = cubeFace(1);
  tree.insert(listOf({c, b, a}), Side::Front, Side::Front);
  tree.reduce();
  EXPECT_EQ(contents(*tree.root->coplanar), (Polys{a.get(), b.get(), c.get()}));
}

}  // namespace
