// Culling, shading and projecting single polygons, and the scene's frame.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "app/scene.h"
#include "display/current_viewer.h"
#include "display/headless.h"
#include "display/light.h"
#include "display/viewer.h"
#include "geometry/expect_geometry.h"
#include "geometry/transform.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// A square of half-size 0.5 in the plane z = 0, facing +z.
PolyRef square() {
  const Point3 corners[4] = {Point3(0.5f, 0.5f, 0, 1), Point3(-0.5f, 0.5f, 0, 1), Point3(-0.5f, -0.5f, 0, 1),
                             Point3(0.5f, -0.5f, 0, 1)};
  return PolyRef(corners, 4, 0, 1, 2, 3);
}

// Opens a frame on theViewer looking at the world from (0, 0, 5) with the
// model unturned, as drawScene would set it up.
void openPlainView(const Point3& eye) {
  ASSERT_TRUE(theViewer->beginFrame());
  theViewer->combined = theViewer->camera.viewProjection;
  theViewer->eyeInModel = eye;
}

TEST(DrawPolyTest, GreyLevelsOfTheCubeNormals) {
  EXPECT_TRUE(tupleIs(lightDirection(), 0.37139f, 0.74278f, 0.55709f, 0, 1e-5f));
  EXPECT_EQ(greyLevel(Vector3(0, 0, 1)), 164);
  EXPECT_EQ(greyLevel(Vector3(1, 0, 0)), 126);
  EXPECT_EQ(greyLevel(Vector3(0, 1, 0)), 202);
  EXPECT_EQ(greyLevel(Vector3(-1, 0, 0)), 76);
  EXPECT_EQ(greyLevel(Vector3(0, -1, 0)), 76);
  EXPECT_EQ(greyLevel(Vector3(0, 0, -1)), 76);
  EXPECT_EQ(greyLevel(lightDirection()), 229);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(greyLevel(Vector3(nan, 0, 0)), 76);
}

// A facing polygon is filled with its grey; edge-on counts as facing away,
// the smallest positive distance does not.
TEST(DrawPolyTest, FillsWhatFacesTheEyeAndCullsTheRest) {
  headless::startProgram();
  for (const float z : {5.0f, 1e-30f, 0.0f, -5.0f}) {
    openPlainView(Point3(0, 0, z, 1));
    platform::clearTrace();
    drawPoly(square());
    theViewer->endFrame();
    const auto brushes = headless::calls("CreateSolidBrush(");
    EXPECT_EQ(headless::countCalls("Polygon("), z > 0 ? 1 : 0) << "eye z " << z;
    EXPECT_EQ(brushes, z > 0 ? std::vector<std::string>{"CreateSolidBrush(0xa4a4a4)"} : std::vector<std::string>{});
    EXPECT_EQ(headless::countCalls("DeleteObject("), z > 0 ? 1 : 0);
  }
}

// More vertices than the Viewer's buffer holds: every one reaches GDI.
TEST(DrawPolyTest, ARingLongerThanThePointBufferIsDrawnWhole) {
  platform::HeadlessHost& host = headless::startProgram();
  constexpr int kCount = 200;
  std::vector<Point3> ring;
  for (int k = 0; k < kCount; ++k) {
    const double angle = 2 * kPi * k / kCount;
    ring.emplace_back(static_cast<float>(0.5 * std::cos(angle)), static_cast<float>(0.5 * std::sin(angle)), 0.0f,
                      1.0f);
  }
  PolyRef disc;
  disc = new CountedPoly(ring.data(), kCount);
  openPlainView(Point3(0, 0, 5, 1));
  platform::clearTrace();
  drawPoly(disc);
  theViewer->endFrame();

  const auto drawn = headless::calls("Polygon(");
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_NE(drawn[0].find(", 200)"), std::string::npos);
  const Point3 last = ring.back() * theViewer->camera.viewProjection;
  const POINT lastPixel = theViewer->toScreen(Point2(last.x, last.y));
  const std::string tail = "(" + std::to_string(lastPixel.x) + "," + std::to_string(lastPixel.y) + ")}, 200)";
  EXPECT_NE(drawn[0].find(tail), std::string::npos) << drawn[0].substr(drawn[0].size() - 60);

  // The disc's image has a radius of 0.5 * 0.46225 units, about 55 pixels;
  // every side of it is filled, the last vertices' side included.
  const platform::Frame& frame = host.frames().back();
  for (const auto& [dx, dy] : {std::pair{50, 0}, {-50, 0}, {0, 50}, {0, -50}, {35, -35}}) {
    EXPECT_NE(headless::pixel(frame, 320 + dx, 240 + dy), 0) << dx << "," << dy;
  }
  EXPECT_EQ(headless::pixel(frame, 320 + 60, 240), 0);
}

TEST(DrawPolyTest, DrawSceneSetsTheViewAndPutsThePenBack) {
  headless::startProgram();
  ASSERT_TRUE(theViewer->beginFrame());
  platform::clearTrace();
  theViewer->drawScene();
  theViewer->endFrame();
  EXPECT_TRUE(matrixIs(theViewer->combined, theViewer->camera.viewProjection));
  EXPECT_TRUE(tupleIs(theViewer->eyeInModel, 0, 0, 5, 1));
  const auto selections = headless::calls("SelectObject(");
  ASSERT_GE(selections.size(), 2u);
  EXPECT_NE(selections.front().find(", pen"), std::string::npos) << selections.front();
  EXPECT_NE(selections.back().find(", BLACK_PEN)"), std::string::npos) << selections.back();
  EXPECT_EQ(headless::calls("CreatePen(").at(0), "CreatePen(PS_SOLID, 0, 0xffffff)");
  EXPECT_EQ(headless::countCalls("CreatePen("), 1);
  EXPECT_EQ(headless::countCalls("CreateSolidBrush("), headless::countCalls("Polygon("));
}

// With the model turned half way round, the eye comes round to the back and
// a single cube shows its back face instead of its front.
TEST(DrawPolyTest, AHalfTurnShowsTheOtherSide) {
  headless::startProgram();
  BspTree cube;
  cube.insert(makeCube(identityMatrix), Side::Front, Side::Front);
  BspTree* const scene = sceneTree;
  sceneTree = &cube;
  for (const float degrees : {0.0f, 180.0f}) {
    theViewer->modelRotation = rotationY(degrees);
    theViewer->modelInverse = theViewer->modelRotation.inverse();
    ASSERT_TRUE(theViewer->beginFrame());
    platform::clearTrace();
    theViewer->drawScene();
    theViewer->endFrame();
    EXPECT_TRUE(tupleIs(theViewer->eyeInModel, 0, 0, degrees == 0 ? 5.0f : -5.0f, 1, 1e-5f));
    const auto brushes = headless::calls("CreateSolidBrush(");
    ASSERT_EQ(brushes.size(), 1u) << degrees;
    EXPECT_EQ(brushes[0], degrees == 0 ? "CreateSolidBrush(0xa4a4a4)" : "CreateSolidBrush(0x4c4c4c)");
  }
  sceneTree = scene;
}

}  // namespace
