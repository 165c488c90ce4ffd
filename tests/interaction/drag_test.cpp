// Dragging on the Viewer: the model rotation it leaves and the frames it
// draws, on the headless host.
#include <cmath>

#include "app/scene.h"
#include "display/headless.h"
#include "geometry/expect_geometry.h"
#include "interaction/trackball.h"

namespace {

using headless::colourAt;

void dragFromTo(POINT from, POINT to) {
  theViewer->beginDrag(from);
  theViewer->drag(to);
}

// Disc first, scene over it, then the arc from the press point to itself;
// at the end the stock pen is selected again, so none of its pens is kept.
TEST(DragTest, APressDrawsDiscSceneAndAZeroLengthArcWithTheWhiteMarkerOnTop) {
  platform::HeadlessHost& host = headless::startProgram();
  platform::clearTrace();
  theViewer->beginDrag(POINT{320, 240});
  ASSERT_EQ(host.frameCount(), 1);
  EXPECT_TRUE(headless::inOrder({"Ellipse(", "Polygon(", "MoveToEx("}));
  EXPECT_NE(headless::calls("SelectObject(").back().find(", BLACK_PEN)"), std::string::npos);
  const auto lines = headless::calls("LineTo(");
  ASSERT_EQ(lines.size(), 32u + 4u);  // the arc, then two markers of two arms
  for (int k = 0; k < 32; ++k) EXPECT_NE(lines[k].find(", 320, 240)"), std::string::npos) << lines[k];
  const platform::Frame& frame = host.frames().back();
  EXPECT_EQ(colourAt(frame, 520, 240), 0x333333);  // inside the disc, clear of the model
  EXPECT_EQ(colourAt(frame, 92, 240), 0x555555);   // its outline
  for (int d = -5; d <= 5; ++d) EXPECT_EQ(colourAt(frame, 320 + d, 240) & colourAt(frame, 320, 240 + d), 0xffffff);
}

// Each drag starts from the rotation the last one left; within a drag the
// rotation depends on the press point and the current point alone. Opposite
// points on the rim have no midpoint: the arc goes over the front of the
// ball, through the centre, and the model turns full circle.
TEST(DragTest, DragsComposeAndDependOnTheirEndsAlone) {
  headless::startProgram();
  dragFromTo(POINT{320, 240}, POINT{400, 200});
  const Matrix4 once = theViewer->modelRotation;
  EXPECT_FALSE(matrixIs(once, identityMatrix, 1e-3f));
  dragFromTo(POINT{320, 240}, POINT{400, 200});
  EXPECT_TRUE(matrixIs(theViewer->modelInverse * theViewer->modelRotation, identityMatrix, 1e-5f));
  dragFromTo(POINT{200, 200}, POINT{260, 330});
  theViewer->drag(POINT{200, 200});
  theViewer->beginDrag(POINT{0, 240});
  platform::clearTrace();
  theViewer->drag(POINT{639, 240});
  EXPECT_TRUE(matrixIs(theViewer->modelRotation, once * once, 1e-5f));
  const auto lines = headless::calls("LineTo(");
  ASSERT_GE(lines.size(), 32u);
  EXPECT_NE(lines[15].find(", 320, 240)"), std::string::npos) << lines[15];
  EXPECT_NE(lines[31].find(", 547, 240)"), std::string::npos) << lines[31];  // 0.95 * 240, truncated
}

// A drag from the centre to the rim turns the model half way round, so an
// odd number of them leave it where one does; each would scale it by
// radius^4 if nothing took the factor out, and a thousand such factors
// are far below the smallest float. Drawn with a ball of a few
// pixels, without the scene, the log or kept frames, only to save time.
TEST(DragTest, AThousandDragsMoreLeaveTheModelAsOneDragDoes) {
  platform::HeadlessHost& host = headless::startProgram();
  const POINT centre{320, 240}, rim{600, 240};
  dragFromTo(centre, rim);
  theViewer->drawPlainFrame();
  const platform::Frame afterOne = host.frames().back();
  const BspTree* const scene = theViewer->scene;
  theViewer->scene = nullptr;
  static_cast<Trackball*>(theViewer->trackball)->radius = 0.02f;
  platform::setCallLogging(false);
  host.keepFrames(platform::FrameKeeping::None);
  for (int k = 0; k < 1000; ++k) dragFromTo(centre, rim);
  theViewer->scene = scene;
  host.keepFrames(platform::FrameKeeping::All);
  theViewer->drawPlainFrame();

  for (int i = 0; i < 16; ++i) EXPECT_TRUE(std::isfinite(theViewer->modelInverse[i / 4][i % 4]));
  EXPECT_NEAR(theViewer->modelRotation.determinant(), 1.0f, 1e-5f);
  EXPECT_EQ(headless::colours(afterOne), headless::colours(host.frames().back()));
  const auto a = headless::drawnExtent(afterOne.pixels).sides(),
             b = headless::drawnExtent(host.frames().back().pixels).sides();
  for (int k = 0; k < 4; ++k) EXPECT_NEAR(a[k], b[k], 1) << k;
}

// The front of the model follows the mouse: after a drag to the right its
// front face (grey 164) lies further right, and a face looking -x or -y
// (grey 76) shows left of where the model began.
TEST(DragTest, ADragToTheRightTurnsTheFrontToTheRight) {
  platform::HeadlessHost& host = headless::startProgram();
  theViewer->drawPlainFrame();
  const platform::Frame before = host.frames().back();
  dragFromTo(POINT{320, 240}, POINT{420, 240});
  theViewer->drawPlainFrame();
  const platform::Frame& after = host.frames().back();
  const int modelLeft = headless::drawnExtent(before.pixels).left;
  const int front = colourAt(before, modelLeft + 4, 240), dark = colourAt(before, 240, 140);
  ASSERT_NEAR(front & 0xff, 164, 1);
  ASSERT_NEAR(dark & 0xff, 76, 1);
  // Of the pixels of `colour`: their mean x, and how many lie left of modelLeft.
  const auto tally = [&](const platform::Frame& frame, int colour) {
    double sum = 0, count = 0, left = 0;
    for (int y = 0; y < headless::kHeight; ++y)
      for (int x = 0; x < headless::kWidth; ++x)
        if (colourAt(frame, x, y) == colour) sum += x, ++count, left += x < modelLeft;
    return std::pair{sum / count, left};
  };
  EXPECT_GT(tally(after, front).first, tally(before, front).first + 20);
  EXPECT_EQ(tally(before, dark).second, 0);
  EXPECT_GT(tally(after, dark).second, 500);
}

}  // namespace
