#include "app/scene.h"

#include "bsp/csg.h"
#include "bsp/side.h"
#include "geometry/transform.h"
#include "polygon/poly_ref.h"

BspTree* sceneTree = nullptr;

namespace {

constexpr float kCorners[8][3] = {
    {1, 1, 1}, {-1, 1, 1}, {-1, -1, 1}, {1, -1, 1}, {1, 1, -1}, {-1, 1, -1}, {-1, -1, -1}, {1, -1, -1},
};

// Rings of corner numbers, counterclockwise seen from outside: +z, -z, +x,
// +y, -x, -y. add pushes at the head, so the list comes out reversed.
constexpr int kFaces[6][4] = {
    {0, 1, 2, 3}, {7, 6, 5, 4}, {0, 3, 7, 4}, {0, 4, 5, 1}, {5, 6, 2, 1}, {3, 2, 6, 7},
};

}  // namespace

PolyListRef makeCube(Matrix4 matrix) {
  Point3 corners[8];
  for (int i = 0; i < 8; ++i) {
    corners[i] = Point3(kCorners[i][0], kCorners[i][1], kCorners[i][2], 1.0f) * matrix;
  }
  PolyListRef list;
  for (const auto& ring : kFaces) {
    const PolyRef face(corners, 4, ring[0], ring[1], ring[2], ring[3]);
    list->add(face);
  }
  return list;
}

Matrix4 solidBoxMatrix() { return identityMatrix; }

Matrix4 channelBoxMatrix() { return scaling(-1.5f, -0.875f, -1.5f) * translation(0.625f, 0.0f, 0.0f); }

Matrix4 plateBoxMatrix() {
  return (scaling(0.75f, 1.25f, 0.125f) * rotationY(-15.0f)) * translation(0.5f, 0.0f, 0.0f);
}

void buildScene() {
  sceneTree = new BspTree;
  sceneTree->insert(makeCube(solidBoxMatrix()), Side::Front, Side::Front);
  sceneTree->insert(makeCube(channelBoxMatrix()), Side::Back, Side::Spanning);
  sceneTree->reduce();
  sceneTree->insert(makeCube(plateBoxMatrix()), Side::Front, Side::Spanning);
}

void buildSceneSolid(BspTree& tree) {
  combine(tree, makeCube(solidBoxMatrix()), CsgOperation::Union);
  // Mirrored once more, the channel box faces outwards like any operand.
  combine(tree, makeCube(scaling(-1.0f, -1.0f, -1.0f) * channelBoxMatrix()), CsgOperation::Difference);
  combine(tree, makeCube(plateBoxMatrix()), CsgOperation::Union);
}
