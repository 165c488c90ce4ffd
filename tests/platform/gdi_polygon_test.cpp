// Polygon: the alternate fill with its left/top-inside rule, the pen's
// closed ring over it, and degenerate point counts.
#include <gtest/gtest.h>

#include <random>

#include "guarded_canvas.h"
#include "reference_raster.h"

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGrey = RGB(164, 164, 164);

class PolygonTest : public ::testing::Test, protected FreshPlatform {
 protected:
  void SetUp() override {
    pen = CreatePen(PS_SOLID, 0, kBlue);
    brush = CreateSolidBrush(kGrey);
    SelectObject(canvas.dc(), brush);
  }
  void usePen() { SelectObject(canvas.dc(), pen); }
  void useNoPen() { SelectObject(canvas.dc(), nullPen); }

  GuardedCanvas canvas{64, 48};
  HPEN pen = nullptr;
  HPEN nullPen = CreatePen(5 /* PS_NULL */, 0, 0);
  HBRUSH brush = nullptr;
  const std::uint8_t blue = indexOf(kBlue);
  const std::uint8_t grey = indexOf(kGrey);
};

TEST_F(PolygonTest, RectangleFillLeavesOutItsRightAndBottomEdges) {
  useNoPen();
  const POINT box[] = {{10, 5}, {20, 5}, {20, 15}, {10, 15}};
  EXPECT_TRUE(Polygon(canvas.dc(), box, 4));
  EXPECT_EQ(canvas.rowRuns(5, grey), "10..19");
  EXPECT_EQ(canvas.rowRuns(14, grey), "10..19");
  EXPECT_EQ(canvas.rowRuns(15, grey), "");
  EXPECT_EQ(canvas.columnRuns(10, grey), "5..14");
}

TEST_F(PolygonTest, PenDrawsTheClosedRingOverTheFill) {
  usePen();
  const POINT box[] = {{10, 5}, {20, 5}, {20, 15}, {10, 15}};
  Polygon(canvas.dc(), box, 4);
  EXPECT_EQ(canvas.rowRuns(5, blue), "10..20");
  EXPECT_EQ(canvas.rowRuns(15, blue), "10..20");
  EXPECT_EQ(canvas.rowRuns(10, blue), "10 20");
  EXPECT_EQ(canvas.rowRuns(10, grey), "11..19");
}

TEST_F(PolygonTest, TwoPointsDrawTheSegmentWithBothEnds) {
  usePen();
  const POINT segment[] = {{3, 3}, {9, 3}};
  EXPECT_TRUE(Polygon(canvas.dc(), segment, 2));
  EXPECT_EQ(canvas.rowRuns(3, blue), "3..9");
  EXPECT_EQ(canvas.rowRuns(3, grey), "");
}

TEST_F(PolygonTest, FewerThanTwoPointsDrawNothing) {
  usePen();
  const POINT one[] = {{3, 3}};
  EXPECT_FALSE(Polygon(canvas.dc(), one, 1));
  EXPECT_FALSE(Polygon(canvas.dc(), one, 0));
  EXPECT_FALSE(Polygon(canvas.dc(), one, -4));
  EXPECT_FALSE(Polygon(canvas.dc(), nullptr, 3));
  EXPECT_EQ(canvas.rowRuns(3, blue), "");
}

// Random rings, most of them reaching off the canvas, against the
// row-by-row rule without incremental stepping.
TEST_F(PolygonTest, FillMatchesTheCrossingRuleEverywhere) {
  useNoPen();
  std::mt19937 random(11);
  std::uniform_int_distribution<int> coordinate(-120, 180);
  std::uniform_int_distribution<int> count(3, 9);
  for (int round = 0; round < 300; ++round) {
    canvas.clear();
    std::vector<POINT> ring(count(random));
    for (POINT& p : ring) p = {coordinate(random), coordinate(random) / 2};
    Polygon(canvas.dc(), ring.data(), int(ring.size()));
    auto expected = referencePolygonFill(ring, canvas.width(), canvas.height());
    for (int y = 0; y < canvas.height(); ++y) {
      for (int x = 0; x < canvas.width(); ++x) {
        ASSERT_EQ(canvas.at(x, y) == grey, expected[y][x]) << "round " << round << " at (" << x << "," << y << ")";
      }
    }
    ASSERT_EQ(canvas.guardDamage(), "");
  }
}

}  // namespace
