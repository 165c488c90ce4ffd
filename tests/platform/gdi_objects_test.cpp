// Pens, brushes and device contexts: defaults, selection, deletion, bad
// handles, the default palette, the call log and injected faults.
#include <gtest/gtest.h>

#include "guarded_canvas.h"
#include "platform/palette.h"
#include "platform/trace.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

class GdiObjectsTest : public ::testing::Test, protected FreshPlatform {
 protected:
  GuardedCanvas canvas{32, 32};
  const POINT box[4] = {{4, 4}, {12, 4}, {12, 12}, {4, 12}};
  const std::uint8_t red = indexOf(kRed), white = indexOf(RGB(255, 255, 255));
};

TEST_F(GdiObjectsTest, NewDeviceContextDrawsWithBlackPenAndWhiteBrushFromTheOrigin) {
  canvas.clear(red);
  Polygon(canvas.dc(), box, 4);
  LineTo(canvas.dc(), 3, 0);
  EXPECT_EQ(canvas.rowRuns(4, 0) + "|" + canvas.rowRuns(8, white) + "|" + canvas.rowRuns(0, 0), "4..12|5..11|0..2");
}

TEST_F(GdiObjectsTest, SelectedObjectsDrawAndCannotBeDeleted) {
  HPEN redPen = CreatePen(PS_SOLID, 0, kRed);
  const HGDIOBJ stockPen = SelectObject(canvas.dc(), redPen);
  ASSERT_NE(stockPen, nullptr);
  EXPECT_FALSE(DeleteObject(redPen));
  LineTo(canvas.dc(), 4, 0);
  EXPECT_EQ(canvas.rowRuns(0, red), "0..3");
  EXPECT_EQ(SelectObject(canvas.dc(), stockPen), redPen);
  EXPECT_TRUE(DeleteObject(redPen));
  EXPECT_FALSE(DeleteObject(redPen));
  EXPECT_EQ(SelectObject(canvas.dc(), redPen), nullptr);
  EXPECT_TRUE(DeleteObject(stockPen));  // stock objects "delete" and stay
  EXPECT_EQ(SelectObject(canvas.dc(), stockPen), stockPen);
  HBRUSH brush = CreateSolidBrush(kRed);
  const HGDIOBJ stockBrush = SelectObject(canvas.dc(), brush);
  EXPECT_NE(stockBrush, stockPen);
  EXPECT_EQ(SelectObject(canvas.dc(), stockBrush), brush);

  SelectObject(canvas.dc(), CreatePen(5 /* PS_NULL */, 0, kRed));
  canvas.clear();
  Polygon(canvas.dc(), box, 4);
  EXPECT_EQ(canvas.rowRuns(4, white) + "|" + canvas.rowRuns(12, white) + "|" + canvas.columnRuns(12, white), "4..11||");
  EXPECT_EQ(CreatePen(7 /* PS_USERSTYLE */, 1, kRed), nullptr);
}

TEST_F(GdiObjectsTest, BadHandlesAnswerNullOrFalseAndChangeNothing) {
  canvas.clear(red);
  HPEN redPen = CreatePen(PS_SOLID, 0, kRed);
  auto madeUp = reinterpret_cast<HGDIOBJ>(std::uintptr_t(0x12345));
  EXPECT_EQ(SelectObject(nullptr, redPen), nullptr);
  EXPECT_EQ(SelectObject(reinterpret_cast<HDC>(redPen), redPen), nullptr);
  EXPECT_EQ(SelectObject(canvas.dc(), madeUp), nullptr);
  EXPECT_EQ(SelectObject(canvas.dc(), canvas.dc()), nullptr);
  EXPECT_FALSE(DeleteObject(madeUp));
  EXPECT_FALSE(DeleteObject(canvas.dc()));
  EXPECT_FALSE(MoveToEx(nullptr, 1, 1, nullptr));
  EXPECT_FALSE(LineTo(reinterpret_cast<HDC>(madeUp), 5, 5));
  EXPECT_FALSE(Polygon(nullptr, box, 4));
  EXPECT_FALSE(Ellipse(nullptr, 0, 0, 9, 9));
  LineTo(canvas.dc(), 5, 0);
  EXPECT_EQ(canvas.rowRuns(0, 0), "0..4");  // black from the origin: nothing changed
}

TEST_F(GdiObjectsTest, CallsAreLoggedAndInjectedFaultsGiveTheRealResults) {
  platform::setCallLogging(true);
  SelectObject(canvas.dc(), CreatePen(PS_SOLID, 0, RGB(255, 255, 255)));
  MoveToEx(canvas.dc(), 95, 100, nullptr);
  LineTo(canvas.dc(), 105, 100);
  const POINT two[] = {{1, 2}, {3, 4}};
  Polygon(canvas.dc(), two, 2);
  Ellipse(canvas.dc(), 200, 120, 441, 361);
  EXPECT_EQ(platform::callLog(),
            (std::vector<std::string>{"CreatePen(PS_SOLID, 0, 0xffffff)", "SelectObject(dc1, pen1)",
                                      "MoveToEx(dc1, 95, 100, NULL)", "LineTo(dc1, 105, 100)",
                                      "Polygon(dc1, {(1,2),(3,4)}, 2)", "Ellipse(dc1, 200, 120, 441, 361)"}));
  for (const char* call : {"CreatePen", "SelectObject", "MoveToEx", "LineTo", "Polygon"}) platform::failCall(call);
  EXPECT_EQ(CreatePen(PS_SOLID, 0, kRed), nullptr);
  EXPECT_EQ(SelectObject(canvas.dc(), CreateSolidBrush(kRed)), nullptr);
  EXPECT_FALSE(MoveToEx(canvas.dc(), 0, 0, nullptr));
  EXPECT_FALSE(LineTo(canvas.dc(), 9, 0));
  EXPECT_FALSE(Polygon(canvas.dc(), box, 4));
  EXPECT_EQ(canvas.rowRuns(0, red), "");
}

TEST(Palette, TheProgramsColoursAreExactAndOthersGoToTheNearestLowestEntry) {
  const platform::Palette& palette = platform::defaultPalette();
  auto exact = [&](COLORREF c) { return RGB(palette[indexOf(c)].r, palette[indexOf(c)].g, palette[indexOf(c)].b) == c; };
  EXPECT_EQ(indexOf(RGB(0, 0, 0)), 0);
  for (COLORREF c : {RGB(255, 255, 255), RGB(255, 0, 0), RGB(0, 0, 255), RGB(0x33, 0x33, 0x33), RGB(0x55, 0x55, 0x55)}) {
    EXPECT_TRUE(exact(c)) << std::hex << c;
  }
  for (int g = 76; g <= 229; ++g) EXPECT_TRUE(exact(RGB(g, g, g))) << g;  // every face grey
  platform::Palette custom{};
  custom[3] = {10, 10, 10};
  custom[7] = custom[9] = {30, 30, 30};
  EXPECT_EQ(platform::nearestPaletteIndex(custom, RGB(19, 19, 19)), 3);
  EXPECT_EQ(platform::nearestPaletteIndex(custom, RGB(21, 21, 21)), 7);
  EXPECT_EQ(platform::nearestPaletteIndex(custom, RGB(5, 5, 5)), 0);  // halfway between 0 and 3
  EXPECT_EQ(platform::nearestPaletteIndex(palette, 0x01000000 | 200), 200);  // PALETTEINDEX(200)
}

}  // namespace
