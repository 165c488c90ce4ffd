// The mappings between unit coordinates and pixels, and the shape hooks.
#include <gtest/gtest.h>

#include <limits>

#include "display/current_viewer.h"
#include "display/gdi_object.h"
#include "display/headless.h"
#include "display/viewer.h"

namespace {

void expectPixel(const POINT& p, LONG x, LONG y) {
  EXPECT_EQ(p.x, x);
  EXPECT_EQ(p.y, y);
}

TEST(ProjectionTest, ToScreenTruncatesTowardZero) {
  headless::startProgram();
  const Viewer& v = *theViewer;
  expectPixel(v.toScreen(Point2(0, 0)), 320, 240);
  expectPixel(v.toScreen(Point2(1, 1)), 560, 0);
  expectPixel(v.toScreen(Point2(-1, -1)), 80, 480);
  expectPixel(v.toScreen(Point2(0.5f, -0.25f)), 440, 300);
  expectPixel(v.toScreen(Point2(0.003f, 0)), 320, 240);   // 320.72
  expectPixel(v.toScreen(Point2(-1.3355f, 0)), 0, 240);   // -0.52
}

TEST(ProjectionTest, ToScreenWrapsToSixteenBitsAndIsDefinedForAnyValue) {
  headless::startProgram();
  const Viewer& v = *theViewer;
  EXPECT_EQ(v.toScreen(Point2(165.33334f, 0)).x, -25536);  // 40000.002
  EXPECT_EQ(v.toScreen(Point2(0, -166)).y, 40080 - 65536);
  EXPECT_EQ(v.toScreen(Point2(-200, 0)).x, -47680 + 65536);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  expectPixel(v.toScreen(Point2(nan, inf)), 0, 0);
  const POINT huge = v.toScreen(Point2(3e38f, -3e38f));
  EXPECT_GE(huge.x, -32768);
  EXPECT_LE(huge.x, 32767);
}

TEST(ProjectionTest, FromScreenFigures) {
  headless::startProgram();
  const Viewer& v = *theViewer;
  const Point2 centre = v.fromScreen(POINT{320, 240});
  EXPECT_EQ(centre.x, 0.0f);
  EXPECT_EQ(centre.y, 0.0f);
  const Point2 corner = v.fromScreen(POINT{560, 0});
  EXPECT_EQ(corner.x, 1.0f);
  EXPECT_EQ(corner.y, 1.0f);
  const Point2 lowerLeft = v.fromScreen(POINT{0, 480});
  EXPECT_EQ(lowerLeft.x, -1.3333334f);
  EXPECT_EQ(lowerLeft.y, -1.0f);
}

// Pixel (80, 120) is exactly (-1, 0.5); a pixel whose unit coordinates
// are not exact in float may truncate to its neighbour.
TEST(ProjectionTest, MarkerArmsReachFivePixelsEitherSide) {
  platform::HeadlessHost& host = headless::startProgram();
  ASSERT_TRUE(theViewer->beginFrame());
  {
    ScopedPen pen(currentDC(), solidPen(RGB(255, 255, 255)));
    marker(Point2(-1, 0.5f));
  }
  theViewer->endFrame();
  const platform::Frame& frame = host.frames().back();
  for (int d = -6; d <= 6; ++d) {
    const bool onArm = d >= -5 && d <= 5;
    EXPECT_EQ(headless::pixel(frame, 80 + d, 120) != 0, onArm) << "row 120, x " << 80 + d;
    EXPECT_EQ(headless::pixel(frame, 80, 120 + d) != 0, onArm) << "column 80, y " << 120 + d;
  }
  EXPECT_EQ(headless::pixel(frame, 79, 119), 0);
}

TEST(ProjectionTest, EllipseIncludesBothCornerPixels) {
  headless::startProgram();
  ASSERT_TRUE(theViewer->beginFrame());
  platform::clearTrace();
  ellipse(Point2(-0.5f, -0.5f), Point2(0.5f, 0.5f));
  theViewer->endFrame();
  const auto drawn = headless::calls("Ellipse(");
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_NE(drawn[0].find(", 200, 120, 441, 361)"), std::string::npos) << drawn[0];
}

TEST(ProjectionTest, HooksDrawNothingBetweenFrames) {
  headless::startProgram();
  ASSERT_TRUE(theViewer->beginFrame());
  theViewer->endFrame();
  const Point3 corners[3] = {Point3(0, 0, 0, 1), Point3(1, 0, 0, 1), Point3(0, 1, 0, 1)};
  const PolyRef triangle(corners, 3, 0, 1, 2);
  platform::clearTrace();
  moveTo(Point2(0, 0));
  lineTo(Point2(0.5f, 0.5f));
  ellipse(Point2(-0.5f, -0.5f), Point2(0.5f, 0.5f));
  marker(Point2(0, 0));
  drawPoly(triangle);
  EXPECT_EQ(currentDC(), nullptr);
  EXPECT_TRUE(headless::log().empty()) << headless::log().front();
  EXPECT_EQ(triangle->refCount, 1);
}

}  // namespace
