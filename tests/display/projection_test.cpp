// The mappings between unit coordinates and pixels, and the shape hooks.
#include <limits>

#include "display/current_viewer.h"
#include "display/gdi_object.h"
#include "display/headless.h"

namespace {

TEST(ProjectionTest, ToScreenTruncatesTowardZeroAndWrapsToSixteenBits) {
  headless::startProgram();
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  const std::pair<Point2, POINT> cases[] = {
      {{0, 0}, {320, 240}},         {{1, 1}, {560, 0}},         {{-1, -1}, {80, 480}},
      {{0.5f, -0.25f}, {440, 300}}, {{0.003f, 0}, {320, 240}},  {{-1.3355f, 0}, {0, 240}},  // 320.72, -0.52
      {{165.33334f, 0}, {-25536, 240}},                                                      // 40000.002
      {{-200, -166}, {-47680 + 65536, 40080 - 65536}},          {{nan, inf}, {0, 0}}};
  for (const auto& [unit, pixel] : cases) {
    const POINT p = theViewer->toScreen(unit);
    EXPECT_EQ(p.x, pixel.x) << unit.x << "," << unit.y;
    EXPECT_EQ(p.y, pixel.y) << unit.x << "," << unit.y;
  }
  for (int i = 0; i < 4; ++i) {  // pixels whose unit coordinates are exact
    const Point2 back = theViewer->fromScreen(cases[i].second);
    EXPECT_EQ(back.x, cases[i].first.x) << i;
    EXPECT_EQ(back.y, cases[i].first.y) << i;
  }
  EXPECT_EQ(theViewer->fromScreen(POINT{0, 480}).x, -1.3333334f);
}

// Pixel (80, 120) is exactly (-1, 0.5). Between frames there is no device
// context, and the hooks draw nothing.
TEST(ProjectionTest, MarkerAndEllipseReachTheirPixelsAndOnlyWithinAFrame) {
  platform::HeadlessHost& host = headless::startProgram();
  ASSERT_TRUE(theViewer->beginFrame());
  platform::clearTrace();
  ellipse(Point2(-0.5f, -0.5f), Point2(0.5f, 0.5f));
  {
    ScopedPen pen(currentDC(), solidPen(RGB(255, 255, 255)));
    marker(Point2(-1, 0.5f));
  }
  theViewer->endFrame();
  EXPECT_NE(headless::calls("Ellipse(").at(0).find(", 200, 120, 441, 361)"), std::string::npos);
  for (int d = -6; d <= 6; ++d) {
    EXPECT_EQ(headless::pixel(host.frames().back(), 80 + d, 120) != 0, d >= -5 && d <= 5) << "x " << 80 + d;
    EXPECT_EQ(headless::pixel(host.frames().back(), 80, 120 + d) != 0, d >= -5 && d <= 5) << "y " << 120 + d;
  }
  platform::clearTrace();
  lineTo(Point2(0.5f, 0.5f));
  ellipse(Point2(-0.5f, -0.5f), Point2(0.5f, 0.5f));
  marker(Point2(0, 0));
  EXPECT_TRUE(platform::callLog().empty()) << platform::callLog().front();
}

}  // namespace
