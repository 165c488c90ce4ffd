#include <gtest/gtest.h>

#include <vector>

#include "app/scene.h"
#include "bsp/bsp_node.h"
#include "geometry/transform.h"
#include "polygon/test_shapes.h"

namespace {

void expectPlanes(const PolyListRef& list, const std::vector<std::vector<float>>& planes) {
  const std::vector<const CountedPoly*> faces = contents(*list);
  ASSERT_EQ(faces.size(), planes.size());
  for (size_t i = 0; i < faces.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(faces[i]->vertexCount, 4);
    EXPECT_NEAR(faces[i]->plane.x, planes[i][0], 1e-6);
    EXPECT_NEAR(faces[i]->plane.y, planes[i][1], 1e-6);
    EXPECT_NEAR(faces[i]->plane.z, planes[i][2], 1e-6);
    EXPECT_NEAR(faces[i]->plane.w, planes[i][3], 1e-6);
  }
}

TEST(MakeCube, IdentityGivesTheUnitCubeFacesFromTheHead) {
  expectPlanes(makeCube(identityMatrix),
               {{0, -1, 0, -1}, {-1, 0, 0, -1}, {0, 1, 0, -1}, {1, 0, 0, -1}, {0, 0, -1, -1}, {0, 0, 1, -1}});
}

TEST(MakeCube, MirroredChannelBoxFacesInwards) {
  const PolyListRef box = makeCube(channelBoxMatrix());
  expectPlanes(box, {{0, -1, 0, 0.875f},
                     {-1, 0, 0, 2.125f},
                     {0, 1, 0, 0.875f},
                     {1, 0, 0, 0.875f},
                     {0, 0, -1, 1.5f},
                     {0, 0, 1, 1.5f}});
  for (const CountedPoly* face : contents(*box)) EXPECT_GT(pt(0.625f, 0, 0).dot(face->plane), 0.0f);
}

TEST(MakeCube, PlateFacesOutwardsAroundItsCentre) {
  const PolyListRef plate = makeCube(plateBoxMatrix());
  const std::vector<const CountedPoly*> faces = contents(*plate);
  // From the head: -y, -x, +y, +x, -z, +z of the plate's own axes.
  const float depths[6] = {1.25f, 0.75f, 1.25f, 0.75f, 0.125f, 0.125f};
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(pt(0.5f, 0, 0).dot(faces[i]->plane), -depths[i], 1e-6);
  // Face +z is the ring 0, 1, 2, 3 and face -z the ring 7, 6, 5, 4.
  const Point3& corner0 = faces[5]->vertices[0];
  const Point3& corner6 = faces[4]->vertices[1];
  EXPECT_NEAR(corner0.x, 1.19209f, 1e-5);
  EXPECT_NEAR(corner0.y, 1.25f, 1e-6);
  EXPECT_NEAR(corner0.z, 0.31486f, 1e-5);
  EXPECT_NEAR(corner6.x, -0.19209f, 1e-5);
  EXPECT_NEAR(corner6.y, -1.25f, 1e-6);
  EXPECT_NEAR(corner6.z, -0.31486f, 1e-5);
}

TEST(MakeCube, CornersAreHomogenised) {
  Matrix4 m = identityMatrix;
  m[3][3] = 2;  // every corner comes out with w = 2
  const PolyListRef cube = makeCube(m);
  const CountedPoly* face = contents(*cube)[5];
  EXPECT_TRUE(sameTuple(face->vertices[0], pt(0.5f, 0.5f, 0.5f)));
}

TEST(MakeCube, FirstBoxAloneFoundsTheChain) {
  BspTree tree;
  tree.insert(makeCube(solidBoxMatrix()), Side::Front, Side::Front);
  ASSERT_FALSE(tree.isEmpty());
  EXPECT_TRUE(sameTuple(tree.root->plane, Tuple4(0, -1, 0, -1)));
  int depth = 0;
  for (const BspTree* t = &tree; t->root != nullptr; t = &t->root->back, ++depth) {
    EXPECT_TRUE(t->root->front.isEmpty());
  }
  EXPECT_EQ(depth, 6);
}

}  // namespace
