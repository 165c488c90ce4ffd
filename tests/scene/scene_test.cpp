// The finished scene, checked as a solid: the tree's cells must agree with
// (box 1 minus box 2) plus box 3, as the boxes' own planes tell.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/scene.h"
#include "bsp/bsp_node.h"
#include "bsp/tree_probe.h"
#include "polygon/test_shapes.h"

namespace {

// Clear of every face by this much, the point is classified without doubt.
constexpr float kMargin = 1e-3f;

// How far p lies inside a box: the least depth behind its six face planes.
// Negative outside. A mirrored box's planes face inwards, so flip signs.
float depthInside(const PolyListRef& box, const Point3& p, bool inwardFacing) {
  float depth = 1e30f;
  for (const CountedPoly* face : contents(*box)) {
    const float s = p.dot(face->plane);
    depth = std::min(depth, inwardFacing ? s : -s);
  }
  return depth;
}

struct Boxes {
  PolyListRef solid = makeCube(solidBoxMatrix());
  PolyListRef channel = makeCube(channelBoxMatrix());
  PolyListRef plate = makeCube(plateBoxMatrix());
};

class Scene : public ::testing::Test {
 protected:
  void SetUp() override { buildScene(); }
  void TearDown() override {
    delete sceneTree;
    sceneTree = nullptr;
  }
};

TEST_F(Scene, TreeCellsAreTheCombinedSolid) {
  const Boxes boxes;
  int inside = 0, outside = 0;
  for (int i = 0; i < 40; ++i) {
    for (int j = 0; j < 40; ++j) {
      for (int k = 0; k < 40; ++k) {
        const Point3 p = pt(-2.5f + 0.1237f * i, -2.5f + 0.1249f * j, -2.5f + 0.1261f * k);
        const float d1 = depthInside(boxes.solid, p, false);
        const float d2 = depthInside(boxes.channel, p, true);
        const float d3 = depthInside(boxes.plate, p, false);
        if (std::abs(d1) < kMargin || std::abs(d2) < kMargin || std::abs(d3) < kMargin) continue;
        const bool expected = (d1 > 0 && d2 < 0) || d3 > 0;
        ASSERT_EQ(isInside(*sceneTree, p), expected) << p.x << ", " << p.y << ", " << p.z;
        ++(expected ? inside : outside);
      }
    }
  }
  EXPECT_GT(inside, 1000);
  EXPECT_GT(outside, 1000);
}

TEST_F(Scene, EveryNodePlaneIsUsable) { EXPECT_TRUE(allPlanesUsable(*sceneTree)); }

// A face piece of box 1 that has a part inside box 2 would be a wall in the
// middle of the channel. Each piece is convex and has been cut by box 2's
// planes, so it is clear of box 2 when one of box 2's faces has it wholly
// on the outer side.
bool keepsAPartInsideTheChannel(const BspTree& tree) {
  const Boxes boxes;
  const std::vector<const CountedPoly*> solidFaces = contents(*boxes.solid);
  const std::vector<const CountedPoly*> channelFaces = contents(*boxes.channel);
  for (const CountedPoly* p : allPolys(tree)) {
    const bool onSolidFace = std::any_of(solidFaces.begin(), solidFaces.end(), [&](const CountedPoly* f) {
      return sameTuple(p->plane, f->plane);
    });
    if (!onSolidFace) continue;
    const bool clear = std::any_of(channelFaces.begin(), channelFaces.end(), [&](const CountedPoly* f) {
      for (int i = 0; i < p->vertexCount; ++i) {
        if (p->vertices[i].dot(f->plane) > 1e-5f) return false;
      }
      return true;
    });
    if (!clear) return true;
  }
  return false;
}

TEST(SceneSteps, ReduceRemovesBoxOneFacesInsideBoxTwo) {
  BspTree tree;
  tree.insert(makeCube(solidBoxMatrix()), Side::Front, Side::Front);
  tree.insert(makeCube(channelBoxMatrix()), Side::Back, Side::Spanning);
  EXPECT_TRUE(keepsAPartInsideTheChannel(tree));
  tree.reduce();
  EXPECT_FALSE(keepsAPartInsideTheChannel(tree));
}

TEST_F(Scene, FreeingTheTreeReleasesEverything) {
  // LeakSanitizer checks the rest; here the nodes must all be reachable.
  EXPECT_GT(allPolys(*sceneTree).size(), 18u);
}

}  // namespace
