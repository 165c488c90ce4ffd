#include <gtest/gtest.h>

#include <vector>

#include "app/scene.h"
#include "bsp/tree_probe.h"
#include "polygon/test_shapes.h"

namespace {

void expectPlanes(const PolyListRef& list, const std::vector<Tuple4>& planes) {
  const std::vector<const CountedPoly*> faces = contents(*list);
  ASSERT_EQ(faces.size(), planes.size());
  for (size_t i = 0; i < faces.size(); ++i) {
    EXPECT_NEAR(faces[i]->plane.x, planes[i].x, 1e-6) << i;
    EXPECT_NEAR(faces[i]->plane.y, planes[i].y, 1e-6) << i;
    EXPECT_NEAR(faces[i]->plane.z, planes[i].z, 1e-6) << i;
    EXPECT_NEAR(faces[i]->plane.w, planes[i].w, 1e-6) << i;
  }
}

TEST(MakeCube, FacePlanesFromTheHead) {
  expectPlanes(makeCube(identityMatrix),
               {{0, -1, 0, -1}, {-1, 0, 0, -1}, {0, 1, 0, -1}, {1, 0, 0, -1}, {0, 0, -1, -1}, {0, 0, 1, -1}});
  // Mirrored on every axis: the channel box faces inwards.
  expectPlanes(makeCube(channelBoxMatrix()), {{0, -1, 0, 0.875f},
                                              {-1, 0, 0, 2.125f},
                                              {0, 1, 0, 0.875f},
                                              {1, 0, 0, 0.875f},
                                              {0, 0, -1, 1.5f},
                                              {0, 0, 1, 1.5f}});
}

TEST(MakeCube, PlateFacesOutwardsAroundItsCentre) {
  const PolyListRef plate = makeCube(plateBoxMatrix());
  const std::vector<const CountedPoly*> faces = contents(*plate);
  const float depths[6] = {1.25f, 0.75f, 1.25f, 0.75f, 0.125f, 0.125f};
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(pt(0.5f, 0, 0).dot(faces[i]->plane), -depths[i], 1e-6);
  // Corner 0 starts the +z ring (the tail); corner 6 is second in the -z ring.
  const Point3& c0 = faces[5]->vertices[0];
  const Point3& c6 = faces[4]->vertices[1];
  EXPECT_NEAR(c0.x, 1.19209f, 1e-5);
  EXPECT_NEAR(c0.y, 1.25f, 1e-6);
  EXPECT_NEAR(c0.z, 0.31486f, 1e-5);
  EXPECT_NEAR(c6.x, -0.19209f, 1e-5);
  EXPECT_NEAR(c6.z, -0.31486f, 1e-5);
}

TEST(MakeCube, CornersAreHomogenised) {
  Matrix4 m = identityMatrix;
  m[3][3] = 2;
  const PolyListRef cube = makeCube(m);
  EXPECT_TRUE(sameTuple(cube->head->poly->vertices[1], pt(-0.5f, -0.5f, 0.5f)));
}

TEST(MakeCube, FirstBoxAloneFoundsAChainOnTheMinusYFace) {
  BspTree tree;
  tree.insert(makeCube(solidBoxMatrix()), Side::Front, Side::Front);
  EXPECT_TRUE(sameTuple(tree.root->plane, Tuple4(0, -1, 0, -1)));
  int depth = 0;
  for (const BspTree* t = &tree; !t->isEmpty(); t = &t->root->back, ++depth) EXPECT_TRUE(t->root->front.isEmpty());
  EXPECT_EQ(depth, 6);
}

}  // namespace
