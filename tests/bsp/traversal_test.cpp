#include <gtest/gtest.h>

#include <vector>

#include "bsp/bsp_tree.h"
#include "bsp/draw_recorder.h"
#include "polygon/test_shapes.h"

namespace {

using Polys = std::vector<const CountedPoly*>;

Polys drawnFrom(const BspTree& tree, const Point3& eye) {
  drawnPolys().clear();
  tree.draw(eye);
  Polys order;
  for (const DrawnPoly& d : drawnPolys()) order.push_back(d.poly);
  return order;
}

TEST(Draw, FarSideFirstAndAnEyeOnThePlaneCountsAsInFront) {
  EXPECT_TRUE(drawnFrom(BspTree(), pt(0, 0, 0)).empty());
  const PolyRef middle = squareAt(0), below = squareAt(-1), above = squareAt(1), twin = squareAt(0);
  BspTree tree;
  tree.insert(listOf({above, below, middle, twin}), Side::Front, Side::Front);
  const Polys backFirst{below.get(), middle.get(), twin.get(), above.get()};  // twin founded the node
  EXPECT_EQ(drawnFrom(tree, pt(0, 0, 0)), backFirst);
  EXPECT_EQ(drawnFrom(tree, pt(0, 0, 0.5f)), backFirst);
  EXPECT_EQ(drawnFrom(tree, pt(0, 0, -0.5f)), (Polys{above.get(), middle.get(), twin.get(), below.get()}));
}

TEST(Draw, CubeChainIsDrawnBackToFront) {
  std::vector<PolyRef> f;
  for (int i = 1; i <= 6; ++i) f.push_back(cubeFace(i));
  BspTree tree;
  tree.insert(listOf({f[5], f[4], f[3], f[2], f[1], f[0]}), Side::Front, Side::Front);
  // In front of F1 only: the faces turned away come first (and are still
  // handed over: culling is the hook's business), F1 last.
  EXPECT_EQ(drawnFrom(tree, pt(0, 0, 5)),
            (Polys{f[5].get(), f[1].get(), f[4].get(), f[2].get(), f[3].get(), f[0].get()}));
  // Inside, behind every face: each node before the ones below it.
  EXPECT_EQ(drawnFrom(tree, pt(0, 0, 0)),
            (Polys{f[0].get(), f[5].get(), f[1].get(), f[4].get(), f[2].get(), f[3].get()}));
  for (const DrawnPoly& d : drawnPolys()) EXPECT_EQ(d.refCountWhileDrawn, 3);
  for (const PolyRef& face : f) EXPECT_EQ(face->refCount, 2);
}

}  // namespace
