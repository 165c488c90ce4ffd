// Dragging on the Viewer: the model rotation it leaves and the frames it
// draws, on the headless host.
#include <gtest/gtest.h>

#include <cmath>

#include "app/scene.h"
#include "display/current_viewer.h"
#include "display/headless.h"
#include "display/viewer.h"
#include "geometry/expect_geometry.h"
#include "interaction/trackball.h"

namespace {

using headless::calls;
using headless::colourAt;

bool finite(const Matrix4& m) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      if (!std::isfinite(m[i][j])) return false;
  return true;
}

void dragFromTo(POINT from, POINT to) {
  theViewer->beginDrag(from);
  theViewer->drag(to);
}

TEST(DragTest, APressDrawsDiscSceneAndAZeroLengthArcWithTheWhiteMarkerOnTop) {
  platform::HeadlessHost& host = headless::startProgram();
  platform::clearTrace();
  theViewer->beginDrag(POINT{320, 240});
  EXPECT_TRUE(matrixIs(theViewer->modelRotation, identityMatrix));
  ASSERT_EQ(host.frameCount(), 1);

  // Disc first, scene over it, arc last.
  const int disc = headless::findCall("Ellipse(");
  const int scene = headless::findCall("Polygon(");
  const int arc = headless::findCall("MoveToEx(");
  ASSERT_GE(disc, 0);
  EXPECT_LT(disc, scene);
  EXPECT_LT(scene, arc);
  const auto lines = calls("LineTo(");
  ASSERT_EQ(lines.size(), 32u + 4u);  // the arc, then two markers of two arms
  for (int k = 0; k < 32; ++k) EXPECT_NE(lines[k].find(", 320, 240)"), std::string::npos) << lines[k];

  const platform::Frame& frame = host.frames().back();
  EXPECT_EQ(colourAt(frame, 520, 240), 0x333333);  // inside the disc, clear of the model
  EXPECT_EQ(colourAt(frame, 92, 240), 0x555555);   // its outline
  for (int d = -5; d <= 5; ++d) {
    EXPECT_EQ(colourAt(frame, 320 + d, 240), 0xffffff) << d;
    EXPECT_EQ(colourAt(frame, 320, 240 + d), 0xffffff) << d;
  }
}

TEST(DragTest, TheDiscOfAnOffCentreBallHasTheRightBoundingSquare) {
  headless::startProgram();
  Trackball ball(Point2(0.25f, 0.5f), 0.5f);
  ASSERT_TRUE(theViewer->beginFrame());
  platform::clearTrace();
  ball.drawBackground();
  theViewer->endFrame();
  ASSERT_EQ(calls("Ellipse(").size(), 1u);
  EXPECT_NE(calls("Ellipse(")[0].find(", 260, 0, 501, 241)"), std::string::npos) << calls("Ellipse(")[0];
}

// Start and current on opposite sides of the rim have no midpoint; the arc
// is drawn over the front of the ball, through the centre, and the model
// does not turn.
TEST(DragTest, ExactlyOppositePointsDrawAnArcThroughTheCentre) {
  headless::startProgram();
  theViewer->beginDrag(POINT{0, 240});
  platform::clearTrace();
  theViewer->drag(POINT{639, 240});
  EXPECT_TRUE(matrixIs(theViewer->modelRotation, identityMatrix, 1e-6f));
  const auto lines = calls("LineTo(");
  ASSERT_GE(lines.size(), 32u);
  for (int k = 0; k < 32; ++k) EXPECT_NE(lines[k].find(", 240)"), std::string::npos) << lines[k];
  EXPECT_NE(lines[15].find(", 320, 240)"), std::string::npos) << lines[15];
  const POINT end = theViewer->toScreen(theViewer->trackball->currentMark);
  EXPECT_EQ(end.x, 547);  // 0.95 * 240 = 227.99999 in float, truncated
  EXPECT_NE(lines[31].find(", 547, 240)"), std::string::npos) << lines[31];
}

TEST(DragTest, ReturningToThePressPointRestoresTheRotation) {
  headless::startProgram();
  dragFromTo(POINT{300, 260}, POINT{420, 180});
  const Matrix4 before = theViewer->modelRotation;
  dragFromTo(POINT{200, 200}, POINT{260, 330});
  theViewer->drag(POINT{200, 200});
  EXPECT_TRUE(matrixIs(theViewer->modelRotation, before, 1e-5f));
}

TEST(DragTest, TwoDragsAlongOnePathComposeAndTheInverseKeepsUp) {
  headless::startProgram();
  dragFromTo(POINT{320, 240}, POINT{400, 200});
  const Matrix4 once = theViewer->modelRotation;
  EXPECT_FALSE(matrixIs(once, identityMatrix, 1e-3f));
  dragFromTo(POINT{320, 240}, POINT{400, 200});
  EXPECT_TRUE(matrixIs(theViewer->modelRotation, once * once, 1e-5f));
  EXPECT_TRUE(matrixIs(theViewer->modelInverse * theViewer->modelRotation, identityMatrix, 1e-5f));
}

// A drag from the centre to the rim on the right turns the model half way
// round, so an odd number of them leave it in the same place. Each would
// scale the rotation by 0.95^4 if nothing took the factor out.
TEST(DragTest, TenThousandDragsLeaveTheModelAsOneDragDoes) {
  platform::HeadlessHost& host = headless::startProgram();
  const POINT centre{320, 240}, rim{600, 240};
  dragFromTo(centre, rim);
  theViewer->drawPlainFrame();
  const platform::Frame afterOne = host.frames().back();

  // The scene is left out of the frames in between, only to save time.
  BspTree* const scene = sceneTree;
  sceneTree = nullptr;
  host.keepAllFrames(false);
  for (int k = 0; k < 10000; ++k) dragFromTo(centre, rim);
  sceneTree = scene;
  theViewer->drawPlainFrame();
  const platform::Frame& afterMany = host.frames().back();

  EXPECT_TRUE(finite(theViewer->modelInverse));
  EXPECT_NEAR(theViewer->modelRotation.determinant(), 1.0f, 1e-5f);
  int differing = 0;
  for (std::size_t i = 0; i < afterOne.pixels.size(); ++i) differing += afterOne.pixels[i] != afterMany.pixels[i];
  EXPECT_LT(differing, 100);
  EXPECT_EQ(headless::greys(afterOne), headless::greys(afterMany));
  const headless::Box a = headless::drawnExtent(afterOne), b = headless::drawnExtent(afterMany);
  EXPECT_NEAR(a.left, b.left, 1);
  EXPECT_NEAR(a.right, b.right, 1);
  EXPECT_NEAR(a.top, b.top, 1);
  EXPECT_NEAR(a.bottom, b.bottom, 1);
}

// The front of the model follows the mouse: after a drag to the right the
// model's front face moves right, and its left face (-x, darkest grey)
// comes into view left of where the model began.
TEST(DragTest, ADragToTheRightTurnsTheFrontToTheRight) {
  platform::HeadlessHost& host = headless::startProgram();
  theViewer->drawPlainFrame();
  const platform::Frame before = host.frames().back();
  dragFromTo(POINT{320, 240}, POINT{420, 240});
  theViewer->drawPlainFrame();
  const platform::Frame& after = host.frames().back();

  const int modelLeft = headless::drawnExtent(before).left;
  const int front = colourAt(before, modelLeft + 4, 240);  // the front face's strip along the back wall
  const int dark = colourAt(before, 240, 140);             // the upper arm's underside, facing -y
  ASSERT_NEAR(front & 0xff, 164, 1);
  ASSERT_NEAR(dark & 0xff, 76, 1);

  struct Tally {
    long sum = 0, count = 0;
    double mean() const { return count ? static_cast<double>(sum) / count : -1.0; }
  };
  auto tally = [](const platform::Frame& frame, int colour, int belowX) {
    Tally t;
    for (int y = 0; y < headless::kHeight; ++y)
      for (int x = 0; x < belowX; ++x)
        if (colourAt(frame, x, y) == colour) t.sum += x, ++t.count;
    return t;
  };
  EXPECT_GT(tally(after, front, headless::kWidth).mean(), tally(before, front, headless::kWidth).mean() + 20);
  EXPECT_EQ(tally(before, dark, modelLeft).count, 0);
  EXPECT_GT(tally(after, dark, modelLeft).count, 500);
}

}  // namespace
