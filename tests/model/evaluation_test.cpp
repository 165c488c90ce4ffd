// Evaluation: a scene's solids reach the tree whole, long faces included,
// and every step at the top of the scene can be watched.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bsp/csg.h"
#include "model/mesh_polygons.h"
#include "model/scene_evaluation.h"
#include "model/scene_file.h"
#include "polygon/measure.h"

namespace {

double builtVolume(const std::string& text) {
  BspTree tree;
  evaluateScene(parseScene("s.csg", text, SceneFormat::Csg), tree);
  return solidVolume(*solidPolygons(tree));
}

TEST(SceneEvaluation, FacesLongerThanAPolygonHoldAreCutIntoFans) {
  const Scene scene = parseScene("s.csg", "cylinder(h = 2, r = 10, $fn = 300);", SceneFormat::Csg);
  const PolyListRef polygons = meshPolygons(scene.root.mesh);
  int caps = 0;
  for (const PolyNode* n = polygons->head; n != nullptr; n = n->next) {
    EXPECT_LE(n->poly->vertexCount, kMaxPieceVertices);
    if (n->poly->vertexCount > 4) ++caps;
  }
  EXPECT_EQ(caps, 6);  // 300 points: three pieces a cap
  EXPECT_NEAR(solidVolume(*polygons), scene.root.mesh.signedVolume(), 1e-4);
  EXPECT_NEAR(builtVolume("cylinder(h = 2, r = 10, $fn = 300);"), scene.root.mesh.signedVolume(), 1e-4);
}

TEST(SceneEvaluation, EveryTopLevelStepIsShownAsItIsMade) {
  const Scene scene = parseScene("s.csg",
                                 "difference() { cube(4); translate([1, 1, -1]) cube([2, 2, 6]); "
                                 "translate([-1, 1.5, 1]) cube([6, 1, 2]); }",
                                 SceneFormat::Csg);
  std::vector<double> volumes;
  BspTree tree;
  evaluateScene(scene, tree, [&](const BspTree& stage, const SceneNode& operand, const SceneNode*) {
    EXPECT_EQ(operand.name, "cube");
    volumes.push_back(solidVolume(*solidPolygons(stage)));
  });
  ASSERT_EQ(volumes.size(), 3u);
  EXPECT_NEAR(volumes[0], 64.0, 1e-5);
  EXPECT_NEAR(volumes[1], 48.0, 1e-5);
  EXPECT_NEAR(volumes[2], 48.0 - 8.0 + 4.0, 1e-5);  // the beam meets the shaft
}

}  // namespace
