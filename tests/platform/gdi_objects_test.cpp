// Pens, brushes and device contexts: defaults, selection, deletion,
// injected faults, and the default palette.
#include <gtest/gtest.h>

#include "guarded_canvas.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

class GdiObjectsTest : public ::testing::Test, protected FreshPlatform {
 protected:
  void SetUp() override { canvas.clear(red); }

  GuardedCanvas canvas{32, 32};
  const POINT box[4] = {{4, 4}, {12, 4}, {12, 12}, {4, 12}};
  const std::uint8_t red = indexOf(kRed), white = indexOf(RGB(255, 255, 255));
};

TEST_F(GdiObjectsTest, NewDeviceContextsDrawInBlackAndWhiteAndSelectedObjectsCannotBeDeleted) {
  Polygon(canvas.dc(), box, 4);
  LineTo(canvas.dc(), 3, 0);  // from the origin
  EXPECT_EQ(canvas.rowRuns(4, 0), "4..12");
  EXPECT_EQ(canvas.rowRuns(8, white), "5..11");
  EXPECT_EQ(canvas.rowRuns(0, 0), "0..2");
  canvas.clear(red);
  HPEN redPen = CreatePen(PS_SOLID, 0, kRed), nullPen = CreatePen(5 /* PS_NULL */, 0, kRed);
  const HGDIOBJ stockPen = SelectObject(canvas.dc(), redPen);
  EXPECT_FALSE(DeleteObject(redPen));
  EXPECT_EQ(SelectObject(canvas.dc(), nullPen), redPen);
  EXPECT_TRUE(DeleteObject(redPen));
  EXPECT_FALSE(DeleteObject(redPen));
  EXPECT_EQ(SelectObject(canvas.dc(), redPen), nullptr);
  EXPECT_TRUE(DeleteObject(stockPen));  // stock objects "delete" and stay
  HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
  const HGDIOBJ stockBrush = SelectObject(canvas.dc(), brush);
  Polygon(canvas.dc(), box, 4);  // the null pen: the fill alone
  EXPECT_EQ(canvas.rowRuns(4, white), "4..11");
  EXPECT_EQ(canvas.rowRuns(12, white), "");
  EXPECT_EQ(canvas.columnRuns(12, white), "");
  EXPECT_EQ(SelectObject(canvas.dc(), stockPen), nullPen);
  EXPECT_EQ(SelectObject(canvas.dc(), stockBrush), brush);
  EXPECT_EQ(CreatePen(7 /* PS_USERSTYLE */, 1, kRed), nullptr);
}

TEST_F(GdiObjectsTest, InjectedFaultsGiveTheRealFailuresAndChangeNothing) {
  HPEN redPen = CreatePen(PS_SOLID, 0, kRed);
  for (const char* call : {"CreatePen", "SelectObject", "MoveToEx", "LineTo", "Polygon"}) platform::failCall(call);
  EXPECT_EQ(CreatePen(PS_SOLID, 0, kRed), nullptr);
  EXPECT_EQ(SelectObject(canvas.dc(), redPen), nullptr);
  EXPECT_FALSE(MoveToEx(canvas.dc(), 9, 9, nullptr));
  EXPECT_FALSE(LineTo(canvas.dc(), 9, 0));
  EXPECT_FALSE(Polygon(canvas.dc(), box, 4));
  LineTo(canvas.dc(), 5, 0);
  EXPECT_EQ(canvas.rowRuns(0, 0), "0..4");  // black from the origin
  EXPECT_EQ(canvas.rowRuns(4, 0), "");
}

TEST(Palette, TheProgramsColoursAreExactAndOthersGoToTheNearestLowestEntry) {
  const platform::Palette& palette = platform::defaultPalette();
  auto exact = [&](COLORREF c) {
    return RGB(palette[indexOf(c)].r, palette[indexOf(c)].g, palette[indexOf(c)].b) == c;
  };
  EXPECT_EQ(indexOf(RGB(0, 0, 0)), 0);
  for (COLORREF c :
       {RGB(255, 255, 255), RGB(255, 0, 0), RGB(0, 0, 255), RGB(0x33, 0x33, 0x33), RGB(0x55, 0x55, 0x55)}) {
    EXPECT_TRUE(exact(c)) << std::hex << c;
  }
  for (int g = 76; g <= 229; ++g) EXPECT_TRUE(exact(RGB(g, g, g))) << g;  // every face grey
  platform::Palette custom{};
  custom[3] = {10, 10, 10};
  custom[7] = custom[9] = {30, 30, 30};
  std::string nearest;
  for (int grey : {19, 21, 5}) nearest += std::to_string(platform::nearestPaletteIndex(custom, RGB(grey, grey, grey)));
  EXPECT_EQ(nearest, "370");                                                 // 5 lies halfway between entries 0 and 3
  EXPECT_EQ(platform::nearestPaletteIndex(palette, 0x01000000 | 200), 200);  // PALETTEINDEX(200)
}

}  // namespace
