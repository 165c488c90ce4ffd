// The fuzz checks must catch what they are there to catch: trees put
// together by hand with one fault each.
#include <gtest/gtest.h>

#include "bsp/bsp_node.h"
#include "bsp/bsp_tree.h"
#include "fuzz/invariant.h"
#include "fuzz/tree_invariants.h"

namespace {

// A unit square in the plane z = height, facing +z (or -z when flipped).
PolyRef square(float height, bool flipped = false) {
  const Point3 corners[4] = {Point3(0, 0, height, 1), Point3(1, 0, height, 1), Point3(1, 1, height, 1),
                             Point3(0, 1, height, 1)};
  return flipped ? PolyRef(corners, 4, 3, 2, 1, 0) : PolyRef(corners, 4, 0, 1, 2, 3);
}

// The root on z = 0 with one node behind it, on z = -1.
struct SmallTree {
  BspTree tree;
  PolyRef root = square(0);
  PolyRef below = square(-1);

  SmallTree() {
    tree.root = new BspNode(root);
    tree.root->back.root = new BspNode(below);
  }
};

const GeometryCheck kGeometry{true, 1.0};

TEST(TreeInvariants, ASoundTreePassesAndIsCounted) {
  SmallTree t;
  t.tree.root->coplanar->add(square(0, true));
  HolderCensus census;
  EXPECT_EQ(checkTree(t.tree, census, kGeometry), 2u);
  EXPECT_EQ(census[t.root.get()], 1);
  EXPECT_EQ(census[t.below.get()], 1);
  EXPECT_NO_THROW(requireCounts(census, [&](const CountedPoly* p) {
    return p == t.root.get() || p == t.below.get() ? 1 : 0;
  }));
}

TEST(TreeInvariants, CatchesAPolygonOnTheWrongSideOfAnAncestor) {
  SmallTree t;
  t.tree.root->back.root->coplanar->add(square(-1));
  t.tree.root->back.root->front.root = new BspNode(square(0.5f));
  HolderCensus census;
  EXPECT_THROW(checkTree(t.tree, census, kGeometry), InvariantBroken);
}

TEST(TreeInvariants, CatchesAPolygonOutsideItsNodesPlane) {
  SmallTree t;
  t.tree.root->coplanar->add(square(0.25f));
  HolderCensus census;
  EXPECT_THROW(checkTree(t.tree, census, kGeometry), InvariantBroken);
  // Without geometry only the structure is judged.
  EXPECT_NO_THROW(checkTree(t.tree, census, GeometryCheck{false, 0.0}));
}

TEST(TreeInvariants, CatchesAPolygonHeldTwice) {
  SmallTree t;
  t.tree.root->back.root->coplanar->add(square(-1, true));
  HolderCensus census;
  EXPECT_NO_THROW(checkTree(t.tree, census, GeometryCheck{false, 0.0}));
  t.tree.root->coplanar->add(t.below);
  EXPECT_THROW(checkTree(t.tree, census, GeometryCheck{false, 0.0}), InvariantBroken);
}

TEST(TreeInvariants, CatchesACountThatDoesNotMatchItsHolders) {
  SmallTree t;
  HolderCensus census;
  checkTree(t.tree, census, kGeometry);
  const PolyRef extra = t.root;  // a hold the census does not know
  EXPECT_THROW(requireCounts(census, [&](const CountedPoly* p) { return p == t.root.get() || p == t.below.get(); }),
               InvariantBroken);
}

TEST(TreeInvariants, FilteredPiecesMustEndWhereKeepSays) {
  SmallTree t;
  // Behind both planes: a back cell under the node on z = -1.
  EXPECT_NO_THROW(requireKeptPlacement(t.tree, *square(-2), Side::Back, Side::Spanning, kGeometry));
  EXPECT_THROW(requireKeptPlacement(t.tree, *square(-2), Side::Front, Side::Spanning, kGeometry), InvariantBroken);
  // Between the planes: a front cell of the node on z = -1.
  EXPECT_NO_THROW(requireKeptPlacement(t.tree, *square(-0.5f), Side::Front, Side::Spanning, kGeometry));
  // In a node's plane: kept whatever keep says.
  EXPECT_NO_THROW(requireKeptPlacement(t.tree, *square(-1, true), Side::Back, Side::Spanning, kGeometry));
  // A piece across a plane was never cut as it should have been.
  const Point3 slanted[3] = {Point3(0, 0, -0.5f, 1), Point3(1, 0, 0.5f, 1), Point3(0, 1, 0.5f, 1)};
  EXPECT_THROW(requireKeptPlacement(t.tree, *PolyRef(slanted, 3, 0, 1, 2), Side::Back, Side::Spanning, kGeometry),
               InvariantBroken);
}

}  // namespace
