// Lines: GDI's rounding and end-pixel rules, the current position, and
// clipping that never moves a pixel.
#include <gtest/gtest.h>

#include <random>

#include "guarded_canvas.h"
#include "reference_raster.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

class LineTest : public ::testing::Test, protected FreshPlatform {
 protected:
  void SetUp() override {
    pen = CreatePen(PS_SOLID, 0, kRed);
    SelectObject(canvas.dc(), pen);
  }

  GuardedCanvas canvas{160, 120};
  HPEN pen = nullptr;
  const std::uint8_t red = indexOf(kRed);
};

TEST_F(LineTest, FirstPixelIsDrawnAndLastIsNotAndThePositionMoves) {
  MoveToEx(canvas.dc(), 10, 20, nullptr);
  EXPECT_TRUE(LineTo(canvas.dc(), 15, 20));
  EXPECT_EQ(canvas.rowRuns(20, red), "10..14");
  MoveToEx(canvas.dc(), 15, 30, nullptr);
  LineTo(canvas.dc(), 10, 30);
  EXPECT_EQ(canvas.rowRuns(30, red), "11..15");
  LineTo(canvas.dc(), 10, 30);  // zero length: nothing
  EXPECT_EQ(canvas.rowRuns(30, red), "11..15");
  POINT previous{};
  MoveToEx(canvas.dc(), 0, 0, &previous);
  EXPECT_EQ(previous.x, 10);
  EXPECT_EQ(previous.y, 30);
}

TEST_F(LineTest, PlusMarkerCoversElevenPixelsEachWay) {
  MoveToEx(canvas.dc(), 95, 100, nullptr);
  LineTo(canvas.dc(), 106, 100);
  MoveToEx(canvas.dc(), 100, 95, nullptr);
  LineTo(canvas.dc(), 100, 106);
  EXPECT_EQ(canvas.rowRuns(100, red), "95..105");
  EXPECT_EQ(canvas.columnRuns(100, red), "95..105");
  EXPECT_EQ(canvas.rowRuns(94, red) + canvas.rowRuns(106, red), "");
}

// An exact half goes to the smaller coordinate whichever way the line
// runs, so a line and its reverse cover the same middle pixels.
TEST_F(LineTest, ExactHalvesGoToTheSmallerCoordinateInEveryOctant) {
  MoveToEx(canvas.dc(), 10, 10, nullptr);
  LineTo(canvas.dc(), 12, 11);  // at x = 11 the ideal y is 10.5
  EXPECT_EQ(canvas.at(11, 10), red);
  EXPECT_NE(canvas.at(11, 11), red);
  canvas.clear();
  MoveToEx(canvas.dc(), 12, 11, nullptr);
  LineTo(canvas.dc(), 10, 10);
  EXPECT_EQ(canvas.at(11, 10), red);
  EXPECT_NE(canvas.at(11, 11), red);
  canvas.clear();
  MoveToEx(canvas.dc(), 30, 30, nullptr);
  LineTo(canvas.dc(), 29, 28);  // steep, upwards to the left: at y = 29 the ideal x is 29.5
  EXPECT_EQ(canvas.at(29, 29), red);
  EXPECT_NE(canvas.at(30, 29), red);
}

TEST_F(LineTest, JoinedSegmentsDrawEveryVertexOnce) {
  MoveToEx(canvas.dc(), 20, 20, nullptr);
  LineTo(canvas.dc(), 30, 20);
  LineTo(canvas.dc(), 30, 30);
  LineTo(canvas.dc(), 20, 30);
  LineTo(canvas.dc(), 20, 20);
  EXPECT_EQ(canvas.rowRuns(20, red), "20..30");
  EXPECT_EQ(canvas.rowRuns(30, red), "20..30");
  EXPECT_EQ(canvas.columnRuns(20, red), "20..30");
}

// Endpoints far outside the canvas: what lands inside is exactly what the
// unclipped line would put there.
TEST_F(LineTest, ClippedLinesMatchTheUnclippedRule) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(-3000, 3000);
  for (int round = 0; round < 400; ++round) {
    canvas.clear();
    int x0 = coordinate(random), y0 = coordinate(random) / 8, x1 = coordinate(random), y1 = coordinate(random) / 8;
    if (round % 2) {
      std::swap(x0, y0);
      std::swap(x1, y1);
    }
    MoveToEx(canvas.dc(), x0, y0, nullptr);
    LineTo(canvas.dc(), x1, y1);
    std::vector<std::vector<bool>> expected(canvas.height(), std::vector<bool>(canvas.width(), false));
    for (const Pixel& p : referenceLine(x0, y0, x1, y1)) {
      if (p.first >= 0 && p.first < canvas.width() && p.second >= 0 && p.second < canvas.height()) {
        expected[p.second][p.first] = true;
      }
    }
    for (int y = 0; y < canvas.height(); ++y) {
      for (int x = 0; x < canvas.width(); ++x) {
        ASSERT_EQ(canvas.at(x, y) == red, expected[y][x])
            << "line (" << x0 << "," << y0 << ")-(" << x1 << "," << y1 << ") at (" << x << "," << y << ")";
      }
    }
    ASSERT_EQ(canvas.guardDamage(), "");
  }
}

}  // namespace
