// The scene as a solid: the tree's cells must agree with (box 1 minus box 2)
// plus box 3, as the boxes' own face planes tell.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/scene.h"
#include "bsp/tree_probe.h"

namespace {

struct Boxes {
  PolyListRef solid = makeCube(solidBoxMatrix());
  PolyListRef channel = makeCube(channelBoxMatrix());
  PolyListRef plate = makeCube(plateBoxMatrix());
};

void expectPlanes(const PolyListRef& list, const std::vector<Tuple4>& planes) {
  const Polys faces = contents(*list);
  ASSERT_EQ(faces.size(), planes.size());
  for (size_t i = 0; i < faces.size(); ++i) {
    EXPECT_TRUE(tupleIs(faces[i]->plane, planes[i].x, planes[i].y, planes[i].z, planes[i].w, 1e-6f)) << i;
  }
}

TEST(MakeCube, FacesFromTheHeadAndTheirCorners) {
  const Boxes boxes;
  expectPlanes(boxes.solid, {{0, -1, 0, -1}, {-1, 0, 0, -1}, {0, 1, 0, -1}, {1, 0, 0, -1}, {0, 0, -1, -1}, {0, 0, 1, -1}});
  // Mirrored on every axis: the channel box faces inwards.
  expectPlanes(boxes.channel, {{0, -1, 0, 0.875f}, {-1, 0, 0, 2.125f}, {0, 1, 0, 0.875f}, {1, 0, 0, 0.875f},
                               {0, 0, -1, 1.5f}, {0, 0, 1, 1.5f}});
  // The plate is turned about y: corner 0 starts the +z ring (the tail),
  // corner 6 is second in the -z ring.
  const Polys plate = contents(*boxes.plate);
  EXPECT_TRUE(tupleIs(plate[5]->vertices[0], 1.19209f, 1.25f, 0.31486f, 1, 1e-5f));
  EXPECT_TRUE(tupleIs(plate[4]->vertices[1], -0.19209f, -1.25f, -0.31486f, 1, 1e-5f));
}

// How far p lies inside a box: its least depth behind the face planes,
// negative outside. The mirrored box's planes face inwards: flip the sign.
float depthInside(const PolyListRef& box, const Point3& p, float facing) {
  float depth = 1e30f;
  for (const CountedPoly* face : contents(*box)) depth = std::min(depth, -facing * p.dot(face->plane));
  return depth;
}

TEST(Scene, TreeCellsAreTheCombinedSolid) {
  buildScene();
  const Boxes boxes;
  int inside = 0, outside = 0;
  for (int i = 0; i < 64000; ++i) {
    const Point3 p = pt(-2.5f + 0.1237f * (i % 40), -2.5f + 0.1249f * (i / 40 % 40), -2.5f + 0.1261f * (i / 1600));
    const float d1 = depthInside(boxes.solid, p, 1), d2 = depthInside(boxes.channel, p, -1);
    const float d3 = depthInside(boxes.plate, p, 1);
    if (std::min({std::abs(d1), std::abs(d2), std::abs(d3)}) < 1e-3f) continue;  // too near a face
    const bool expected = (d1 > 0 && d2 < 0) || d3 > 0;
    ASSERT_EQ(isInside(*sceneTree, p), expected) << p.x << ", " << p.y << ", " << p.z;
    ++(expected ? inside : outside);
  }
  EXPECT_GT(inside, 1000);
  EXPECT_GT(outside, 1000);
  EXPECT_TRUE(allPlanesUsable(*sceneTree));
  delete sceneTree;  // the program keeps it; LeakSanitizer checks that freeing releases all
  sceneTree = nullptr;
}

// A piece of a box 1 face with a part inside box 2 would be a wall inside
// the channel. Pieces are convex and cut by box 2's planes, so a piece is
// clear of box 2 when one of box 2's faces has it wholly on the outer side.
bool keepsAPartInsideTheChannel(const BspTree& tree) {
  const Boxes boxes;
  const Polys solidFaces = contents(*boxes.solid), channelFaces = contents(*boxes.channel);
  for (const CountedPoly* p : allPolys(tree)) {
    const auto samePlane = [&](const CountedPoly* f) { return bool(tupleIs(p->plane, f->plane.x, f->plane.y, f->plane.z, f->plane.w)); };
    const auto outsideOf = [&](const CountedPoly* f) {
      return std::all_of(p->vertices, p->vertices + p->vertexCount,
                         [&](const Point3& v) { return v.dot(f->plane) <= 1e-5f; });
    };
    const bool onSolidFace = std::any_of(solidFaces.begin(), solidFaces.end(), samePlane);
    if (onSolidFace && std::none_of(channelFaces.begin(), channelFaces.end(), outsideOf)) return true;
  }
  return false;
}

TEST(Scene, ReduceRemovesBoxOneFacesInsideBoxTwo) {
  BspTree tree;
  tree.insert(makeCube(solidBoxMatrix()), Side::Front, Side::Front);
  tree.insert(makeCube(channelBoxMatrix()), Side::Back, Side::Spanning);
  EXPECT_TRUE(keepsAPartInsideTheChannel(tree));
  tree.reduce();
  EXPECT_FALSE(keepsAPartInsideTheChannel(tree));
}

}  // namespace
