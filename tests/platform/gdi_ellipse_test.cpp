// Ellipse: Zingl's walk in GDI's variant, the fill between each row's
// outline pixels, small boxes, and boxes far larger than the canvas.
#include <gtest/gtest.h>

#include <cmath>
#include <climits>
#include <set>
#include <random>

#include "guarded_canvas.h"
#include "platform/ellipse_raster.h"
#include "reference_raster.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kDark = RGB(0x33, 0x33, 0x33);

class EllipseTest : public ::testing::Test, protected FreshPlatform {
 protected:
  void SetUp() override {
    SelectObject(canvas.dc(), CreatePen(PS_SOLID, 0, kWhite));
    SelectObject(canvas.dc(), CreateSolidBrush(kDark));
  }

  // Draws the box on a canvas moved by (dx, dy) and compares every canvas
  // pixel with the step-by-step walk.
  void expectLikeReference(GuardedCanvas& target, std::int64_t l, std::int64_t t, std::int64_t r,
                           std::int64_t b) {
    SelectObject(target.dc(), CreatePen(PS_SOLID, 0, kWhite));
    SelectObject(target.dc(), CreateSolidBrush(kDark));
    target.clear();
    ASSERT_TRUE(Ellipse(target.dc(), int(l), int(t), int(r), int(b)));
    // Each visible row's outline extent, and the outline pixels on the canvas.
    std::vector<std::pair<std::int64_t, std::int64_t>> extent(target.height(), {INT64_MAX, INT64_MIN});
    std::set<Pixel> outline;
    referenceEllipseOutline(std::min(l, r), std::min(t, b), std::max(l, r) - 1, std::max(t, b) - 1,
                            [&](const Pixel& p) {
                              if (p.second < 0 || p.second >= target.height()) return;
                              auto& row = extent[p.second];
                              row = {std::min(row.first, p.first), std::max(row.second, p.first)};
                              if (p.first >= 0 && p.first < target.width()) outline.insert(p);
                            });
    for (int y = 0; y < target.height(); ++y) {
      for (int x = 0; x < target.width(); ++x) {
        std::uint8_t expected = 0;
        if (x >= extent[y].first && x <= extent[y].second) expected = dark;
        if (outline.count({x, y})) expected = white;
        ASSERT_EQ(target.at(x, y), expected)
            << "box (" << l << "," << t << "," << r << "," << b << ") at (" << x << "," << y << ")";
      }
    }
    ASSERT_EQ(target.guardDamage(), "");
  }

  GuardedCanvas canvas{640, 480, 4};
  const std::uint8_t white = indexOf(kWhite);
  const std::uint8_t dark = indexOf(kDark);
};

TEST_F(EllipseTest, TrackballDiscCoversItsBoxExactly) {
  EXPECT_TRUE(Ellipse(canvas.dc(), 200, 120, 441, 361));
  int top = -1, bottom = -1, left = 640, right = -1;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      if (canvas.at(x, y) == 0) continue;
      if (top < 0) top = y;
      bottom = y;
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  EXPECT_EQ(top, 120);
  EXPECT_EQ(bottom, 360);
  EXPECT_EQ(left, 200);
  EXPECT_EQ(right, 440);
  EXPECT_EQ(canvas.rowRuns(120, white), "310..330");
  EXPECT_EQ(canvas.rowRuns(240, white), "200 440");
  EXPECT_EQ(canvas.rowRuns(240, dark), "201..439");
  expectLikeReference(canvas, 200, 120, 441, 361);
}

TEST_F(EllipseTest, CornersInAnyOrderDrawTheSameEllipse) {
  expectLikeReference(canvas, 441, 361, 200, 120);
}

TEST_F(EllipseTest, EmptyBoxDrawsNothingAndThinBoxIsARectangle) {
  Ellipse(canvas.dc(), 10, 10, 10, 40);
  Ellipse(canvas.dc(), 10, 10, 40, 10);
  EXPECT_EQ(canvas.rowRuns(10, white), "");
  Ellipse(canvas.dc(), 10, 20, 40, 22);
  EXPECT_EQ(canvas.rowRuns(20, white), "10..39");
  EXPECT_EQ(canvas.rowRuns(21, white), "10..39");
  EXPECT_EQ(canvas.rowRuns(22, white), "");
  Ellipse(canvas.dc(), 50, 30, 51, 60);
  EXPECT_EQ(canvas.columnRuns(50, white), "30..59");
}

TEST_F(EllipseTest, SmallBoxesOfEveryShapeFollowTheWalk) {
  GuardedCanvas small(48, 40);
  for (int w = 3; w <= 30; ++w) {
    for (int h = 3; h <= 30; ++h) expectLikeReference(small, 4, 3, 4 + w, 3 + h);
  }
}

// The canvas shows a random piece of the outline of a box up to 40 000
// pixels wide or tall, so that the first visible row lies deep into the walk and
// the rows before it are skipped.
TEST_F(EllipseTest, PiecesOfLargeEllipsesMatchTheFullWalk) {
  GuardedCanvas window(40, 30);
  std::mt19937 random(5);
  std::uniform_int_distribution<int> side(3, 40000);
  std::uniform_real_distribution<double> angle(0, 6.283185307179586);
  for (int round = 0; round < 600; ++round) {
    // Flat, tall and round boxes in turn.
    std::int64_t w = side(random), h = side(random);
    if (round % 3 == 0) h = h / 400 + 3;
    if (round % 3 == 1) w = w / 400 + 3;
    const double phi = angle(random);
    const auto l = std::int64_t(20 - (w / 2.0) * (1 + std::cos(phi)));
    const auto t = std::int64_t(15 - (h / 2.0) * (1 + std::sin(phi)));
    expectLikeReference(window, l, t, l + w, t + h);
  }
}

TEST_F(EllipseTest, HugeBoxesAreDrawnWithinTheLimitAndRefusedBeyondIt) {
  const int limit = int(platform::kEllipseCoordinateLimit);
  EXPECT_TRUE(Ellipse(canvas.dc(), -limit, -limit, limit, limit));
  EXPECT_EQ(canvas.rowRuns(200, dark), "0..639");  // the canvas lies deep inside
  canvas.clear();
  EXPECT_TRUE(Ellipse(canvas.dc(), -limit, 100, 320, 300));
  EXPECT_EQ(canvas.at(319, 200), white);
  EXPECT_EQ(canvas.columnRuns(320, white) + canvas.columnRuns(320, dark), "");
  EXPECT_FALSE(Ellipse(canvas.dc(), -limit - 1, 0, 10, 10));
  EXPECT_FALSE(Ellipse(canvas.dc(), 0, 0, 10, 0x7FFFFFFF));
  EXPECT_EQ(canvas.guardDamage(), "");
}

}  // namespace
