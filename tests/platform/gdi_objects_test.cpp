// Pens, brushes and device contexts: defaults, selection, deletion, bad
// handles, the call log and fault injection.
#include <gtest/gtest.h>

#include "guarded_canvas.h"
#include "platform/trace.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

class GdiObjectsTest : public ::testing::Test, protected FreshPlatform {
 protected:
  void SetUp() override {
    canvas.clear(background);
  }

  GuardedCanvas canvas{32, 32};
  const POINT box[4] = {{4, 4}, {12, 4}, {12, 12}, {4, 12}};
  const std::uint8_t background = indexOf(RGB(100, 100, 100));
  const std::uint8_t white = indexOf(RGB(255, 255, 255));
};

TEST_F(GdiObjectsTest, NewDeviceContextDrawsWithBlackPenAndWhiteBrushFromTheOrigin) {
  canvas.clear(indexOf(kRed));
  Polygon(canvas.dc(), box, 4);
  EXPECT_EQ(canvas.rowRuns(4, 0), "4..12");
  EXPECT_EQ(canvas.rowRuns(8, white), "5..11");
  LineTo(canvas.dc(), 3, 0);
  EXPECT_EQ(canvas.rowRuns(0, 0), "0..2");
}

TEST_F(GdiObjectsTest, SelectObjectReturnsWhatItReplaces) {
  HPEN red = CreatePen(PS_SOLID, 1, kRed);
  HBRUSH brush = CreateSolidBrush(kRed);
  HGDIOBJ defaultPen = SelectObject(canvas.dc(), red);
  ASSERT_NE(defaultPen, nullptr);
  EXPECT_EQ(SelectObject(canvas.dc(), defaultPen), red);
  HGDIOBJ defaultBrush = SelectObject(canvas.dc(), brush);
  ASSERT_NE(defaultBrush, nullptr);
  EXPECT_NE(defaultBrush, defaultPen);
  EXPECT_EQ(SelectObject(canvas.dc(), defaultBrush), brush);
}

TEST_F(GdiObjectsTest, BadHandlesAnswerNullOrFalseAndChangeNothing) {
  HPEN red = CreatePen(PS_SOLID, 0, kRed);
  auto madeUp = reinterpret_cast<HGDIOBJ>(std::uintptr_t(0x12345));
  EXPECT_EQ(SelectObject(nullptr, red), nullptr);
  EXPECT_EQ(SelectObject(reinterpret_cast<HDC>(red), red), nullptr);
  EXPECT_EQ(SelectObject(canvas.dc(), madeUp), nullptr);
  EXPECT_EQ(SelectObject(canvas.dc(), canvas.dc()), nullptr);
  EXPECT_FALSE(DeleteObject(madeUp));
  EXPECT_FALSE(DeleteObject(canvas.dc()));
  EXPECT_FALSE(MoveToEx(nullptr, 1, 1, nullptr));
  EXPECT_FALSE(LineTo(reinterpret_cast<HDC>(madeUp), 5, 5));
  EXPECT_FALSE(Polygon(nullptr, box, 4));
  EXPECT_FALSE(Ellipse(nullptr, 0, 0, 9, 9));
  // The DC still draws with its defaults.
  LineTo(canvas.dc(), 5, 0);
  EXPECT_EQ(canvas.rowRuns(0, 0), "0..4");
}

TEST_F(GdiObjectsTest, SelectedObjectCannotBeDeletedAndStaysUsable) {
  HPEN red = CreatePen(PS_SOLID, 0, kRed);
  HGDIOBJ previous = SelectObject(canvas.dc(), red);
  EXPECT_FALSE(DeleteObject(red));
  LineTo(canvas.dc(), 4, 0);
  EXPECT_EQ(canvas.rowRuns(0, indexOf(kRed)), "0..3");
  SelectObject(canvas.dc(), previous);
  EXPECT_TRUE(DeleteObject(red));
  EXPECT_FALSE(DeleteObject(red));
  EXPECT_EQ(SelectObject(canvas.dc(), red), nullptr);
  // The stock pen deletes "successfully" and stays.
  EXPECT_TRUE(DeleteObject(previous));
  EXPECT_EQ(SelectObject(canvas.dc(), previous), previous);
}

TEST_F(GdiObjectsTest, NullPenDrawsNoOutlineAndUnknownStylesAreRefused) {
  HPEN none = CreatePen(5 /* PS_NULL */, 0, kRed);
  ASSERT_NE(none, nullptr);
  SelectObject(canvas.dc(), none);
  LineTo(canvas.dc(), 10, 0);
  Polygon(canvas.dc(), box, 4);
  EXPECT_EQ(canvas.rowRuns(0, background), "0..31");
  EXPECT_EQ(canvas.rowRuns(12, background), "0..31");
  EXPECT_EQ(canvas.rowRuns(4, white), "4..11");
  EXPECT_EQ(CreatePen(7 /* PS_USERSTYLE */, 1, kRed), nullptr);
  EXPECT_NE(CreatePen(PS_SOLID, 9, kRed), nullptr);
}

TEST_F(GdiObjectsTest, CallsAreLoggedWithTheirArguments) {
  platform::setCallLogging(true);
  HPEN pen = CreatePen(PS_SOLID, 0, RGB(255, 255, 255));
  SelectObject(canvas.dc(), pen);
  MoveToEx(canvas.dc(), 95, 100, nullptr);
  LineTo(canvas.dc(), 105, 100);
  const POINT two[] = {{1, 2}, {3, 4}};
  Polygon(canvas.dc(), two, 2);
  Ellipse(canvas.dc(), 200, 120, 441, 361);
  std::vector<std::string> expected = {"CreatePen(PS_SOLID, 0, 0xffffff)",
                                       "SelectObject(dc1, pen1)",
                                       "MoveToEx(dc1, 95, 100, NULL)",
                                       "LineTo(dc1, 105, 100)",
                                       "Polygon(dc1, {(1,2),(3,4)}, 2)",
                                       "Ellipse(dc1, 200, 120, 441, 361)"};
  EXPECT_EQ(platform::callLog(), expected);
}

TEST_F(GdiObjectsTest, InjectedFaultsGiveTheRealFailureResults) {
  platform::failCall("CreatePen");
  EXPECT_EQ(CreatePen(PS_SOLID, 0, kRed), nullptr);
  platform::failCall("LineTo");
  EXPECT_FALSE(LineTo(canvas.dc(), 9, 0));
  EXPECT_EQ(canvas.rowRuns(0, 0), "");
  EXPECT_TRUE(LineTo(canvas.dc(), 9, 0));
  EXPECT_EQ(canvas.rowRuns(0, 0), "0..8");
  platform::failCall("SelectObject");
  EXPECT_EQ(SelectObject(canvas.dc(), CreateSolidBrush(kRed)), nullptr);
  platform::failCall("Polygon");
  EXPECT_FALSE(Polygon(canvas.dc(), box, 4));
}

}  // namespace
