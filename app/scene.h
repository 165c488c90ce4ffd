// The demo model: three boxes made from one cube, combined in one BSP tree.
//
// Box 1 is the cube [-1, 1]^3 and founds the tree. Box 2 is mirrored on all
// three axes, so its faces point inwards and its inside becomes front cells;
// inserted keeping back cells, it is subtracted, cutting a channel open
// towards +x. reduce then trims box 1's faces where they now lie inside box
// 2. Box 3, a thin plate turned about y, is added by inserting it keeping
// front cells. The tree describes (box 1 minus box 2) plus box 3.
#ifndef KELVANE_APP_SCENE_H
#define KELVANE_APP_SCENE_H

#include "bsp/bsp_tree.h"
#include "geometry/matrix.h"
#include "polygon/poly_list_ref.h"

// Null until buildScene; then kept, unchanged, until the program ends.
extern BspTree* sceneTree;

// A new list of the six faces of the cube [-1, 1]^3 under matrix, each ring
// counterclockwise from outside for a matrix that does not mirror space.
// The list reads, from its head, the faces -y, -x, +y, +x, -z, +z.
PolyListRef makeCube(Matrix4 matrix);

// The transforms of the three boxes, in the order they are combined.
Matrix4 solidBoxMatrix();
Matrix4 channelBoxMatrix();
Matrix4 plateBoxMatrix();

// Builds the model into a new tree and stores it in sceneTree.
void buildScene();

// The same three boxes combined by the operations of bsp/csg.h into tree,
// which must be empty: a tree whose polygons are exactly the solid's
// boundary, as a mesh file needs. sceneTree keeps the unseen faces that
// insertion leaves inside the plate.
void buildSceneSolid(BspTree& tree);

#endif
