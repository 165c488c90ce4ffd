#include <gtest/gtest.h>

#include <vector>

#include "bsp/bsp_node.h"
#include "bsp/bsp_tree.h"
#include "bsp/tree_probe.h"
#include "polygon/test_shapes.h"

namespace {

using Polys = std::vector<const CountedPoly*>;

// The faces F1..F6 as the list F1, F2, ..., F6 from the head.
struct Cube {
  std::vector<PolyRef> faces{cubeFace(1), cubeFace(2), cubeFace(3), cubeFace(4), cubeFace(5), cubeFace(6)};
  PolyListRef list() const { return listOf({faces[5], faces[4], faces[3], faces[2], faces[1], faces[0]}); }
  const CountedPoly* f(int i) const { return faces[i - 1].get(); }
};

// The founders down the chain of back subtrees; fails if any front is used.
Polys backChain(const BspTree& tree) {
  Polys chain;
  for (const BspTree* t = &tree; t->root != nullptr; t = &t->root->back) {
    EXPECT_TRUE(t->root->front.isEmpty());
    chain.push_back(contents(*t->root->coplanar).back());
  }
  return chain;
}

TEST(Insert, EmptyListChangesNothing) {
  BspTree tree;
  tree.insert(PolyListRef(), Side::Spanning, Side::Spanning);
  EXPECT_TRUE(tree.isEmpty());
  tree.insert(listOf({squareAt(0)}), Side::Front, Side::Front);
  const BspNode* root = tree.root;
  tree.insert(PolyListRef(), Side::Spanning, Side::Spanning);
  EXPECT_EQ(tree.root, root);
  EXPECT_EQ(allPolys(tree).size(), 1u);
}

TEST(Insert, EmptyTreeThatDoesNotKeepItsCellLeavesTheListAlone) {
  for (const Side keep : {Side::Back, Side::Front}) {
    BspTree tree;
    const PolyRef p = squareAt(0), q = squareAt(1);
    const PolyListRef list = listOf({p, q});
    tree.insert(list, keep, Side::Spanning);
    EXPECT_TRUE(tree.isEmpty());
    EXPECT_EQ(contents(*list), (Polys{q.get(), p.get()}));
  }
}

TEST(Insert, NewTreeIsFoundedByTheHeadAndKeepsEverythingBelowIt) {
  const PolyRef below = squareAt(0), above = squareAt(1);
  BspTree tree;
  // keep Back would drop `above` at the root's front cell, were it not that a
  // newly founded subtree carries on with Spanning.
  tree.insert(listOf({above, below}), Side::Back, Side::Back);
  ASSERT_FALSE(tree.isEmpty());
  EXPECT_EQ(contents(*tree.root->coplanar), Polys{below.get()});
  EXPECT_EQ(tree.root->plane.z, 1.0f);
  EXPECT_EQ(tree.root->plane.w, 0.0f);
  ASSERT_FALSE(tree.root->front.isEmpty());
  EXPECT_EQ(contents(*tree.root->front.root->coplanar), Polys{above.get()});

  BspTree spanning;
  spanning.insert(listOf({above, below}), Side::Spanning, Side::Front);
  EXPECT_EQ(allPolys(spanning), (Polys{below.get(), above.get()}));
}

TEST(Insert, NonEmptyTreeIgnoresSide) {
  BspTree tree;
  tree.insert(listOf({squareAt(0)}), Side::Front, Side::Front);
  const PolyRef above = squareAt(1);
  tree.insert(listOf({above}), Side::Front, Side::Back);
  ASSERT_FALSE(tree.root->front.isEmpty());
  EXPECT_EQ(tree.root->front.root->coplanar->head->poly.get(), above.get());
}

TEST(Insert, CoplanarPolygonsOfEitherFacingShareTheNode) {
  const PolyRef up = squareAt(0);
  const PolyRef down = polyOf({pt(1, -1, 0), pt(-1, -1, 0), pt(-1, 1, 0), pt(1, 1, 0)});
  BspTree tree;
  tree.insert(listOf({up}), Side::Front, Side::Front);
  tree.insert(listOf({down}), Side::Spanning, Side::Spanning);
  EXPECT_EQ(contents(*tree.root->coplanar), (Polys{down.get(), up.get()}));
  EXPECT_TRUE(tree.root->back.isEmpty());
  EXPECT_TRUE(tree.root->front.isEmpty());
}

TEST(Insert, TouchingPolygonGoesDownWholeAsTheSameObject) {
  const PolyRef touching = polyOf({pt(1, 0, 0), pt(-1, 0, 0), pt(0, 0, -1)});
  BspTree tree;
  tree.insert(listOf({touching, squareAt(0)}), Side::Front, Side::Front);
  ASSERT_FALSE(tree.root->back.isEmpty());
  EXPECT_EQ(tree.root->back.root->coplanar->head->poly.get(), touching.get());
}

TEST(Insert, CubeBuildsTheChainOfBackSubtrees) {
  const Cube cube;
  BspTree tree;
  tree.insert(cube.list(), Side::Front, Side::Front);
  EXPECT_EQ(backChain(tree), (Polys{cube.f(1), cube.f(6), cube.f(2), cube.f(5), cube.f(3), cube.f(4)}));
  EXPECT_EQ(allPolys(tree).size(), 6u);
}

// A 6 x 6 square through the middle of the cube: 4 of its 36 lie inside.
double keptArea(Side keep, bool& piecesOnTheRightSide) {
  const Cube cube;
  BspTree tree;
  tree.insert(cube.list(), Side::Front, Side::Front);
  tree.insert(listOf({polyOf({pt(3, 3, 0), pt(-3, 3, 0), pt(-3, -3, 0), pt(3, -3, 0)})}), keep,
              Side::Spanning);
  double total = 0;
  piecesOnTheRightSide = true;
  for (const CountedPoly* p : allPolys(tree)) {
    if (p->plane.z != 1.0f || p->plane.w != 0.0f) continue;
    total += area(*p);
    double cx = 0, cy = 0;
    for (int i = 0; i < p->vertexCount; ++i) {
      cx += p->vertices[i].x / p->vertexCount;
      cy += p->vertices[i].y / p->vertexCount;
    }
    const bool inside = std::fabs(cx) < 1 && std::fabs(cy) < 1;
    piecesOnTheRightSide &= inside == (keep == Side::Back);
  }
  return total;
}

TEST(Insert, KeepCodeSelectsInsideOrOutsidePieces) {
  bool right = false;
  EXPECT_NEAR(keptArea(Side::Back, right), 4.0, 1e-5);
  EXPECT_TRUE(right);
  EXPECT_NEAR(keptArea(Side::Front, right), 32.0, 1e-5);
  EXPECT_TRUE(right);
}

TEST(Insert, DestroyingTheTreeReleasesEveryPolygon) {
  const Cube cube;
  auto* tree = new BspTree;
  tree->insert(cube.list(), Side::Front, Side::Front);
  for (const PolyRef& f : cube.faces) EXPECT_EQ(f->refCount, 2);
  delete tree;
  for (const PolyRef& f : cube.faces) EXPECT_EQ(f->refCount, 1);
}

}  // namespace
