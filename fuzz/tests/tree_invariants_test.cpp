// The tree checker must catch what it is there to catch: trees put together
// by hand with one fault each.
#include <gtest/gtest.h>

#include <functional>

#include "bsp/bsp_node.h"
#include "fuzz/checks.h"
#include "fuzz/tree_invariants.h"
#include "polygon/test_shapes.h"

namespace {

using Kept = std::vector<PolyRef>;

// Whether the tree of a node on z = 0 with one behind it on z = -1, after
// plant, passes the checks; `kept` is the only other holder of the two.
bool passes(const std::function<void(BspNode& root, Kept& kept)>& plant, bool geometry = true) {
  Kept kept{squareAt(0), squareAt(-1)};
  BspTree tree;
  tree.root = new BspNode(kept[0]);
  tree.root->back.root = new BspNode(kept[1]);
  plant(*tree.root, kept);
  HolderCensus census;
  FounderSlack founders;
  try {
    checkTree(tree, census, founders, {geometry, 1e-6});
    requireCounts(census, kept);
  } catch (const InvariantBroken&) {
    return false;
  }
  return true;
}

TEST(TreeInvariants, CatchesEachFaultOfAHandBuiltTree) {
  // The lower node's plane the other way round (the cube's face on z = -1).
  EXPECT_TRUE(passes([](BspNode& root, Kept&) { root.back.root->coplanar->add(cubeFace(2)); }));
  // In the root's back subtree, in front of the root.
  EXPECT_FALSE(passes([](BspNode& root, Kept&) { root.back.root->front.root = new BspNode(squareAt(0.5f)); }));
  const auto offPlane = [](BspNode& root, Kept&) { root.coplanar->add(squareAt(0.25f)); };
  EXPECT_FALSE(passes(offPlane));
  EXPECT_TRUE(passes(offPlane, false));  // without geometry only the structure is judged
  EXPECT_FALSE(passes([](BspNode& root, Kept& kept) { root.coplanar->add(kept[1]); }, false));
  PolyRef uncounted;
  EXPECT_FALSE(passes([&](BspNode&, Kept& kept) { uncounted = kept[0]; }, false));
}

TEST(TreeInvariants, FilteredPiecesMustEndWhereKeepSays) {
  BspTree tree;
  tree.root = new BspNode(squareAt(0));
  const GeometryCheck g{true, 1e-6};
  EXPECT_NO_THROW(requireKeptPlacement(tree, *squareAt(-1), Side::Back, Side::Spanning, g));
  EXPECT_THROW(requireKeptPlacement(tree, *squareAt(-1), Side::Front, Side::Spanning, g), InvariantBroken);
  // In a node's plane: kept whatever keep says. Across it: never cut.
  EXPECT_NO_THROW(requireKeptPlacement(tree, *squareAt(0), Side::Front, Side::Spanning, g));
  const PolyRef across = polyOf({pt(0, 0, -0.5f), pt(1, 0, 0.5f), pt(0, 1, 0.5f)});
  EXPECT_THROW(requireKeptPlacement(tree, *across, Side::Back, Side::Spanning, g), InvariantBroken);
}

}  // namespace
