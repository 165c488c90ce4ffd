// The whole program on the headless host: start-up, the idle frame, the
// mouse and the keyboard, focus changes, the two ways to end, and failures
// of the display.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/headless.h"
#include "interaction/trackball.h"

namespace {

using headless::calls;
using headless::countCalls;
using headless::findCall;
using headless::runProgram;

bool hasDisc(const platform::Frame& frame) { return headless::colours(frame).count(0x333333) > 0; }

// Calls logged after the first one that starts with `prefix`.
int countCallsAfter(const std::string& marker, const std::string& prefix) {
  const int from = findCall(marker);
  if (from < 0) return -1;
  int count = 0;
  for (int i = from + 1; i < static_cast<int>(headless::log().size()); ++i) {
    count += headless::log()[i].compare(0, prefix.size(), prefix) == 0;
  }
  return count;
}

TEST(ProgramTest, StartUpDrawsOneFrameThenWaits) {
  EXPECT_EQ(runProgram("key escape"), 1);
  EXPECT_EQ(calls("RegisterClassA(").at(0), "RegisterClassA(\"Kelvane\")");
  EXPECT_NE(calls("CreateWindowExA(").at(0).find("(0x8, \"Kelvane\", \"Kelvane\", 0x80000000, 0, 0, 640, 480, NULL"),
            std::string::npos);
  // The window is shown and the scene built before the display is taken.
  EXPECT_LT(findCall("SetFocus("), findCall("DirectDrawCreate("));
  const int wait = findCall("WaitMessage(");
  ASSERT_GT(wait, 0);
  int flipsBeforeWait = 0;
  for (int i = 0; i < wait; ++i) flipsBeforeWait += headless::log()[i].rfind("Flip(", 0) == 0;
  EXPECT_EQ(flipsBeforeWait, 1);
  EXPECT_EQ(countCalls("Flip("), 1);
}

TEST(ProgramTest, OtherKeysAndMovesWithTheButtonUpDrawNothing) {
  EXPECT_EQ(runProgram("key space\nmove 100 100\nmove 200 200\nkey left\nkey escape"), 1);
  EXPECT_EQ(countCalls("Flip("), 1);
  EXPECT_EQ(countCalls("DefWindowProcA(0x10010, WM_KEYDOWN, 32,"), 1);
}

TEST(ProgramTest, PressMovesAndReleaseEachDrawOneFrame) {
  platform::HeadlessHost& host = headless::install("press 320 240\nmove 330 240\nmove 340 240\nmove 350 250\n"
                                                   "release 350 250\nkey escape");
  char commandLine[] = "";
  EXPECT_EQ(WinMain(platform::programInstance(), nullptr, commandLine, SW_SHOW), 1);
  ASSERT_EQ(host.frameCount(), 6);
  const auto& frames = host.frames();
  EXPECT_FALSE(hasDisc(frames[0]));
  for (int i = 1; i <= 4; ++i) EXPECT_TRUE(hasDisc(frames[i])) << "frame " << i + 1;
  EXPECT_FALSE(hasDisc(frames[5]));
  EXPECT_NE(frames[5].pixels, frames[0].pixels);  // the model turned
  EXPECT_EQ(host.cursorChanges(), (std::vector<bool>{false, true}));
  // Hidden before the press's frame, shown after the release's.
  EXPECT_LT(findCall("ShowCursor(FALSE)"), findCall("Blt(", findCall("DispatchMessageA(0x10010, WM_LBUTTONDOWN")));
  EXPECT_GT(findCall("ShowCursor(TRUE)"), findCall("Flip(", findCall("DispatchMessageA(0x10010, WM_LBUTTONUP")));
}

TEST(ProgramTest, APressAndReleaseWithoutMovingLeavesThePictureAsItWas) {
  platform::HeadlessHost& host = headless::install("press 320 240\nrelease 320 240\nkey escape");
  char commandLine[] = "";
  EXPECT_EQ(WinMain(platform::programInstance(), nullptr, commandLine, SW_SHOW), 1);
  ASSERT_EQ(host.frameCount(), 3);
  EXPECT_TRUE(hasDisc(host.frames()[1]));
  EXPECT_EQ(host.frames()[2].pixels, host.frames()[0].pixels);
}

// Deactivation loses the surfaces, so its frame cannot be shown; the frame
// after reactivation restores them and is shown whole.
TEST(ProgramTest, EveryActivationChangeLeadsToOneFrameAtTheNextIdleMoment) {
  platform::HeadlessHost& host =
      headless::install("deactivate\nactivate\ndeactivate; activate; deactivate; activate\nkey escape");
  char commandLine[] = "";
  EXPECT_EQ(WinMain(platform::programInstance(), nullptr, commandLine, SW_SHOW), 1);
  EXPECT_EQ(countCalls("Flip("), 4);
  EXPECT_GE(countCalls("Restore("), 1);
  EXPECT_EQ(host.frames().back().pixels, host.frames().front().pixels);
}

TEST(ProgramTest, ALostSurfaceIsRestoredAtTheNextFrame) {
  platform::HeadlessHost& host = headless::install("lose surfaces now; press 320 240\nrelease 320 240\nkey escape");
  char commandLine[] = "";
  EXPECT_EQ(WinMain(platform::programInstance(), nullptr, commandLine, SW_SHOW), 1);
  EXPECT_EQ(countCalls("Restore("), 1);
  ASSERT_EQ(host.frameCount(), 3);
  EXPECT_TRUE(hasDisc(host.frames()[1]));
}

TEST(ProgramTest, EscapeDuringADragRestoresTheDisplayAndEndsTheProgram) {
  EXPECT_EQ(runProgram("press 320 240\nmove 340 240; key escape; move 360 240; release 360 240"), 1);
  EXPECT_LT(findCall("RestoreDisplayMode(ddraw1)"), findCall("Release(ddraw1)"));
  EXPECT_EQ(countCallsAfter("Release(ddraw1)", "Blt("), 0);
  EXPECT_EQ(countCallsAfter("Release(ddraw1)", "Flip("), 0);
  EXPECT_EQ(countCalls("Flip("), 3);
}

// Whatever still reaches the window procedure after Escape, before the loop
// ends, finds no Viewer to draw with; the idle step draws nothing either.
TEST(ProgramTest, NothingReachesTheViewerAfterEscape) {
  platform::HeadlessHost& host = headless::startProgram();
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
  EXPECT_EQ(host.frameCount(), 1);
  EXPECT_EQ(host.cursorChanges(), (std::vector<bool>{false, true}));
}

TEST(ProgramTest, TheWindowSystemsCloseAlsoRestoresTheDisplay) {
  EXPECT_EQ(runProgram("close"), 1);
  EXPECT_EQ(countCalls("RestoreDisplayMode(ddraw1)"), 1);
  EXPECT_EQ(countCalls("Release(ddraw1)"), 1);
  EXPECT_GE(findCall("PostQuitMessage(0)"), 0);
}

// Mouse positions are the two 16-bit halves of lParam, never sign-extended:
// (65535, 32768) lies far right and far down, so the press lands on the
// lower right of the rim.
TEST(ProgramTest, MouseCoordinatesAreZeroExtended) {
  headless::startProgram();
  windowProc(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0xffff, 0x8000));
  EXPECT_GT(theViewer->trackball->startMark.x, 0.5f);
  EXPECT_LT(theViewer->trackball->startMark.y, -0.3f);
}

TEST(ProgramTest, CursorStaysBalancedWhenPressesAndReleasesDoNotPair) {
  platform::HeadlessHost& host = headless::startProgram();
  windowProc(mainWindow, WM_LBUTTONUP, 0, MAKELPARAM(320, 240));
  windowProc(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(320, 240));
  windowProc(mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(330, 240));
  windowProc(mainWindow, WM_LBUTTONUP, 0, MAKELPARAM(330, 240));
  EXPECT_EQ(host.cursorChanges(), (std::vector<bool>{false, true}));
  EXPECT_EQ(host.frameCount(), 4);
}

class SetUpFailureTest : public ::testing::TestWithParam<const char*> {};

// The set-up stops at the failing call, says which on stderr, gives back
// what it took and ends with status 2; nothing is ever drawn.
TEST_P(SetUpFailureTest, EndsWithAMessageAndStatusTwoWithoutDrawing) {
  const std::string call = GetParam();
  platform::failCall(call);
  testing::internal::CaptureStderr();
  EXPECT_EQ(runProgram("key escape"), kDisplayFailedStatus);
  const std::string message = testing::internal::GetCapturedStderr();
  EXPECT_NE(message.find(call + " failed with HRESULT 0x"), std::string::npos) << message;
  EXPECT_EQ(countCalls("Blt("), 0);
  EXPECT_EQ(countCalls("GetDC("), 0);
  EXPECT_EQ(countCalls("Flip("), 0);
  EXPECT_EQ(countCalls("RestoreDisplayMode("), call == "DirectDrawCreate" ? 0 : 1);
  EXPECT_EQ(countCalls("Release(surface2)"), 0);
  EXPECT_EQ(countCalls("Release(surface1)"), call == "GetAttachedSurface" ? 1 : 0);
  EXPECT_EQ(theViewer, nullptr);
}

INSTANTIATE_TEST_SUITE_P(EachDirectDrawCall, SetUpFailureTest,
                         ::testing::Values("DirectDrawCreate", "SetCooperativeLevel", "SetDisplayMode",
                                           "CreateSurface", "GetAttachedSurface"));

TEST(ProgramTest, AFillThatKeepsFailingEndsTheProgram) {
  platform::failCall("Blt", 1, true);
  testing::internal::CaptureStderr();
  EXPECT_EQ(runProgram("key escape"), kDisplayFailedStatus);
  const std::string message = testing::internal::GetCapturedStderr();
  EXPECT_NE(message.find("Blt"), std::string::npos) << message;
  EXPECT_EQ(countCalls("GetDC("), 0);
  EXPECT_EQ(countCalls("RestoreDisplayMode(ddraw1)"), 1);
  EXPECT_EQ(countCalls("WaitMessage("), 0);
}

}  // namespace
