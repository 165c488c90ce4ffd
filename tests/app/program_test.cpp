// The whole program on the headless host: start-up, the idle frame, the
// mouse and the keyboard, focus changes, the two ways to end, and failures
// of the display.
#include <tuple>

#include "display/headless.h"
#include "interaction/trackball.h"

namespace {

using headless::countCalls;
using headless::findCall;

// The script, the frames flipped (start-up's included), the lost surfaces
// restored, and a call that fails every time.
class ProgramRunTest : public ::testing::TestWithParam<std::tuple<const char*, int, int, const char*>> {};

// However it ends, the program draws its first frame before it first waits,
// returns 1 with the display mode given back, and draws nothing after.
TEST_P(ProgramRunTest, DrawsTheFramesItOwesAndEndsWithTheDisplayRestored) {
  const auto& [script, flips, restores, failing] = GetParam();
  if (*failing != '\0') platform::failCall(failing, 1, true);
  EXPECT_EQ(headless::runProgram(script), 1);
  const int wait = findCall("WaitMessage("), second = findCall("Flip(", findCall("Flip(") + 1);
  EXPECT_LT(findCall("Flip("), wait);
  EXPECT_TRUE(second < 0 || second > wait);
  EXPECT_EQ(countCalls("Flip("), flips);
  EXPECT_EQ(countCalls("Restore("), restores);
  EXPECT_EQ(countCalls("RestoreDisplayMode(ddraw1)"), 1);
  const int released = findCall("Release(ddraw1)");
  EXPECT_TRUE(findCall("Blt(", released) < 0);
  EXPECT_TRUE(findCall("Flip(", released) < 0);
}

// Keys the viewer does not bind and moves with the button up draw nothing; each activation
// change is owed one frame at the next idle moment, several in a row only
// one, and the one owed in the background, where the surfaces cannot be
// restored, is skipped; a surface lost before a press is restored for the
// press's frame. A wait that fails, or a look into the queue that never
// sees anything, does not spin: the loop takes the next message instead.
INSTANTIATE_TEST_SUITE_P(
    Scripts, ProgramRunTest,
    ::testing::Values(std::tuple("key escape", 1, 0, ""), std::tuple("close", 1, 0, ""),
                      std::tuple("key return\nmove 100 100\nmove 200 200\nkey left\nkey escape", 1, 0, ""),
                      std::tuple("deactivate\nactivate\ndeactivate; activate; deactivate; activate\nkey escape", 3, 4,
                                 ""),
                      std::tuple("lose surfaces now; press 320 240\nrelease 320 240\nkey escape", 3, 1, ""),
                      std::tuple("press 320 240\nmove 340 240; key escape; move 360 240; release 360 240", 3, 0, ""),
                      std::tuple("press 320 240\nrelease 320 240\nkey escape", 3, 0, "WaitMessage"),
                      std::tuple("press 320 240\nrelease 320 240\nkey escape", 3, 0, "PeekMessageA")));

// The cursor is hidden before the press's frame and shown after the
// release's; the frames in between show the trackball.
TEST(ProgramTest, PressMovesAndReleaseEachDrawOneFrame) {
  EXPECT_EQ(headless::runProgram("press 320 240\nmove 330 240\nmove 340 240\nmove 350 250\nrelease 350 250\n"
                                 "key escape"), 1);
  const auto& host = static_cast<platform::HeadlessHost&>(platform::host());
  ASSERT_EQ(host.frameCount(), 6);
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(headless::colours(host.frames()[i]).count(0x333333), i >= 1 && i <= 4 ? 1u : 0u) << "frame " << i;
  EXPECT_NE(host.frames()[5].pixels, host.frames()[0].pixels);
  EXPECT_EQ(host.cursorChanges(), (std::vector<bool>{false, true}));
  EXPECT_LT(findCall("ShowCursor(FALSE)"), findCall("Blt(", findCall("DispatchMessageA(0x10010, WM_LBUTTONDOWN")));
  EXPECT_GT(findCall("ShowCursor(TRUE)"), findCall("Flip(", findCall("DispatchMessageA(0x10010, WM_LBUTTONUP")));
}

// Whatever reaches the window procedure after Escape finds no Viewer; the
// cursor stays balanced however presses and releases pair, and mouse
// positions are zero-extended halves of lParam.
TEST(ProgramTest, MessagesAfterEscapeOrUnpairedReachNoStaleState) {
  platform::HeadlessHost& host = headless::startProgram();
  windowProc(mainWindow, WM_LBUTTONUP, 0, MAKELPARAM(320, 240));
  windowProc(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0xffff, 0x8000));
  EXPECT_GT(static_cast<Trackball*>(theViewer->trackball)->startMark.x, 0.5f);
  EXPECT_LT(static_cast<Trackball*>(theViewer->trackball)->startMark.y, -0.3f);
  windowProc(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(320, 240));
  windowProc(mainWindow, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_EQ(theViewer, nullptr);
  platform::clearTrace();
  windowProc(mainWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(340, 240));
  windowProc(mainWindow, WM_ACTIVATE, WA_ACTIVE, 0);
  windowProc(mainWindow, WM_LBUTTONUP, 0, MAKELPARAM(340, 240));
  runMessageLoop();  // until the WM_CLOSE that Escape posted has ended it
  EXPECT_EQ(countCalls("Blt("), 0);
  EXPECT_EQ(countCalls("GetDC("), 0);
  EXPECT_EQ(host.frameCount(), 3);
  EXPECT_EQ(host.cursorChanges(), (std::vector<bool>{false, true}));
}

class DisplayFailureTest : public ::testing::TestWithParam<const char*> {};

// A set-up that stops at a failing call, or a fill that keeps failing after
// its bounded retries: named on stderr, what was taken given back, status
// 2, and no frame.
TEST_P(DisplayFailureTest, EndsWithAMessageAndStatusTwoWithoutDrawing) {
  const std::string call = GetParam();
  const bool fill = call == "Blt";
  platform::failCall(call, 1, fill);
  testing::internal::CaptureStderr();
  EXPECT_EQ(headless::runProgram("key escape"), kDisplayFailedStatus);
  const std::string message = testing::internal::GetCapturedStderr();
  EXPECT_NE(message.find(call + (fill ? " (clearing" : " failed with HRESULT 0x")), std::string::npos) << message;
  EXPECT_EQ(countCalls("Blt("), fill ? 32 : 0);
  EXPECT_EQ(countCalls("GetDC("), 0);
  EXPECT_EQ(countCalls("Flip("), 0);
  EXPECT_EQ(countCalls("WaitMessage("), 0);
  EXPECT_EQ(countCalls("RestoreDisplayMode("), call == "DirectDrawCreate" ? 0 : 1);
  EXPECT_EQ(countCalls("Release(surface2)"), fill ? 1 : 0);
  EXPECT_EQ(countCalls("Release(surface1)"), call == "GetAttachedSurface" || fill ? 1 : 0);
  EXPECT_EQ(theViewer, nullptr);
}

// A window that DefWindowProcA never validates is asked to paint again and
// again, so the queue never empties: the program ends rather than spin.
TEST(ProgramTest, AWindowThatStaysInvalidEndsTheProgram) {
  platform::failCall("DefWindowProcA", 1, true);
  testing::internal::CaptureStderr();
  EXPECT_EQ(headless::runProgram("key escape"), kDisplayFailedStatus);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("painted; the program ends"), std::string::npos);
  EXPECT_EQ(countCalls("RestoreDisplayMode("), 1);
  EXPECT_EQ(theViewer, nullptr);
}

INSTANTIATE_TEST_SUITE_P(EachDirectDrawCall, DisplayFailureTest,
                         ::testing::Values("DirectDrawCreate", "SetCooperativeLevel", "SetDisplayMode",
                                           "CreateSurface", "GetAttachedSurface", "Blt"));

}  // namespace
