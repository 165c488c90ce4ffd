// Full screen and the resizable window (F11, Alt+Enter, --window) on the
// headless host, whose screen is 640 x 480: a window there starts with a
// 640 x 480 client area, and `size W H` in a script resizes it.
#include <string>
#include <tuple>

#include "app/window_mode.h"
#include "display/headless.h"
#include "display/window_fit.h"
#include "interaction/trackball.h"

namespace {

using headless::countCalls;

const platform::HeadlessHost& host() { return static_cast<platform::HeadlessHost&>(platform::host()); }

// The full-screen frame as the client area shows it at `fit`: each client
// pixel the frame pixel under its centre, black around.
bool showsFitted(const platform::ClientFrame& client, const platform::Frame& frame, const PictureFit& fit) {
  auto under = [](int at, int origin, int shown, int size) { return (2 * (at - origin) + 1) * size / (2 * shown); };
  for (int y = 0; y < client.height; ++y) {
    for (int x = 0; x < client.width; ++x) {
      const bool inside = x >= fit.left && y >= fit.top && x < fit.left + fit.width && y < fit.top + fit.height;
      const int px = under(x, fit.left, fit.width, headless::kWidth), py = under(y, fit.top, fit.height, headless::kHeight);
      const std::uint32_t expected = inside ? static_cast<std::uint32_t>(headless::colourAt(frame, px, py)) : 0u;
      if (client.pixels[std::size_t(y) * client.width + x] != expected) {
        ADD_FAILURE() << "client pixel (" << x << ", " << y << ")";
        return false;
      }
    }
  }
  return true;
}

TEST(WindowFitTest, ScalesByWholeNumbersWhereTheyFitAndShrinksWhereNoneDoes) {
  const std::tuple<int, int, PictureFit> cases[] = {
      {640, 480, {0, 0, 640, 480}},       {1300, 1000, {10, 20, 1280, 960}}, {1920, 1080, {320, 60, 1280, 960}},
      {1279, 5000, {319, 2260, 640, 480}},  {320, 480, {0, 120, 320, 240}},    {640, 120, {240, 0, 160, 120}},
      {0, 0, {0, 0, 0, 0}},
  };
  for (const auto& [width, height, want] : cases) {
    const PictureFit got = fitPicture(width, height);
    EXPECT_EQ(std::tie(got.left, got.top, got.width, got.height), std::tie(want.left, want.top, want.width, want.height))
        << width << " x " << height;
  }
  // Left of the picture, not its column 0; MapsTheMouseThroughTheScale
  // checks a point inside.
  EXPECT_EQ(pictureOf(fitPicture(1300, 1000), POINT{9, 19}).x, -1);
}

// F11 leaves the full screen for a window that shows the same picture and
// comes back to exactly the frame of before; the desktop's mode is given
// back on the way out, and Escape still ends with 1. Alt+Enter toggles in
// WindowedEndTest.
TEST(ToggleTest, LeavesAndRegainsTheFullScreenWithTheSamePicture) {
  EXPECT_EQ(headless::runProgram("key f11\nkey f11\nkey escape"), 1);
  ASSERT_EQ(host().frameCount(), 2);
  EXPECT_EQ(host().frames()[1].pixels, host().frames()[0].pixels);
  ASSERT_EQ(host().clientFrames().size(), 1u);
  EXPECT_TRUE(showsFitted(host().clientFrames()[0], host().frames()[0], PictureFit{0, 0, 640, 480}));
  EXPECT_EQ(countCalls("RestoreDisplayMode(ddraw1)"), 2);
  EXPECT_EQ(countCalls("SetDisplayMode("), 2);
  EXPECT_FALSE(host().windowed());
}

// Whichever way it starts and however often it toggles, Escape and the
// window's close end the program with 1, in a window as on the full screen.
class WindowedEndTest : public ::testing::TestWithParam<std::tuple<const char*, const char*, bool>> {};

TEST_P(WindowedEndTest, EndsWithOne) {
  const auto& [commandLine, script, windowedAtEnd] = GetParam();
  EXPECT_EQ(headless::runProgram(script, commandLine), 1);
  EXPECT_EQ(host().windowed(), windowedAtEnd);
  EXPECT_EQ(countCalls("Release(ddraw1)"), 1);
}

INSTANTIATE_TEST_SUITE_P(Runs, WindowedEndTest,
                         ::testing::Values(std::tuple("--window", "key escape", true),
                                           std::tuple("--window", "size 900 700\nclose", true),
                                           std::tuple("", "key f11\nkey escape", true),
                                           std::tuple("--window", "key f11\nkey alt+return\nkey escape", true)));

// Started in a window, nothing is flipped: the picture reaches the client
// area, scaled by 2 and centred once the area holds twice the picture, or
// shrunk where it does not hold it once; a full-screen frame after the
// toggle is the reference.
class WindowedSizeTest : public ::testing::TestWithParam<std::tuple<int, int, PictureFit>> {};

TEST_P(WindowedSizeTest, ShowsThePictureFittedAndCentred) {
  const auto& [width, height, fit] = GetParam();
  const std::string size = "size " + std::to_string(width) + " " + std::to_string(height);
  EXPECT_EQ(headless::runProgram(size + "\nkey f11\nkey escape", "--window"), 1);
  ASSERT_EQ(host().frameCount(), 1);
  ASSERT_GE(host().clientFrames().size(), 2u);
  const platform::ClientFrame& shown = host().clientFrames().back();
  ASSERT_EQ(std::tie(shown.width, shown.height), std::tie(width, height));
  EXPECT_TRUE(showsFitted(shown, host().frames()[0], fit));
  EXPECT_EQ(countCalls("SetDisplayMode("), 1);
}

INSTANTIATE_TEST_SUITE_P(Sizes, WindowedSizeTest,
                         ::testing::Values(std::tuple(1300, 1000, PictureFit{10, 20, 1280, 960}),
                                           std::tuple(330, 240, PictureFit{5, 0, 320, 240})));

// A drag in a window turns the model as the same drag on the picture's
// own pixels would: the client-area positions are scaled back.
TEST(WindowedTest, MapsTheMouseThroughTheScale) {
  headless::install();
  startUp(platform::programInstance(), SW_SHOW, true);
  ASSERT_NE(theViewer, nullptr);
  SetWindowPos(mainWindow, nullptr, 0, 0, 1300, 1000, 0);
  windowProc(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10 + 2 * 300, 20 + 2 * 260));
  const Point2 expected = theViewer->fromScreen(POINT{300, 260});
  const Trackball& trackball = *static_cast<Trackball*>(theViewer->trackball);
  EXPECT_FLOAT_EQ(trackball.startMark.x, expected.x);
  EXPECT_FLOAT_EQ(trackball.startMark.y, expected.y);
}

}  // namespace
