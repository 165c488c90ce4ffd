// The Viewer's display device and frame cycle on the headless host.
#include <tuple>

#include "display/headless.h"
#include "platform/ddraw/direct_draw_state.h"

namespace {

using headless::countCalls;

// The back buffer goes before its primary, the mode before DirectDraw.
TEST(ViewerTest, TakesTheDisplayInOrderAndGivesItBackInReverse) {
  headless::startProgram();
  EXPECT_TRUE(theViewer->isComplete());
  delete theViewer;
  theViewer = nullptr;
  EXPECT_TRUE(headless::inOrder({"DirectDrawCreate(NULL", "SetCooperativeLevel(ddraw1, ",
                                 "SetDisplayMode(ddraw1, 640, 480, 8)", "CreateSurface(ddraw1, {size=",
                                 "GetAttachedSurface(surface1, {caps=0x4}", "Release(surface2)", "Release(surface1)",
                                 "RestoreDisplayMode(ddraw1)", "Release(ddraw1)"}));
  EXPECT_NE(headless::calls("SetCooperativeLevel(")[0].find(", 0x11)"), std::string::npos);
  EXPECT_NE(headless::calls("CreateSurface(")[0].find("flags=0x21,caps=0x218,backbuffers=1"), std::string::npos);
}

// A lost surface is restored and filled once more, and restored again if it
// is still lost when the device context is taken; an error that passes is
// retried. A frame without a device context is skipped whole: no current
// viewer, nothing to release, no flip.
TEST(ViewerTest, AFrameIsDrawnOnARestoredSurfaceOrSkipped) {
  platform::HeadlessHost& host = headless::startProgram();
  struct Case {
    bool lose;
    std::string failing;
    bool persistent, opened;
    int blts, restores;
  };
  const Case cases[] = {{true, "Restore", false, true, 3, 2},
                        {true, "", false, true, 2, 1},
                        {false, "Blt", false, true, 2, 0},
                        {false, "GetDC", false, false, 1, 0},
                        {true, "Restore", true, false, 2, 2}};
  for (const Case& c : cases) {
    platform::clearTrace();
    if (c.lose) platform::loseSurfacesNow();
    if (!c.failing.empty()) platform::failCall(c.failing, 1, c.persistent);
    ASSERT_EQ(theViewer->beginFrame(), c.opened) << c.failing;
    EXPECT_EQ(currentViewer == theViewer, c.opened);
    if (c.opened) theViewer->endFrame();
    EXPECT_EQ(countCalls("Blt("), c.blts) << c.failing;
    EXPECT_EQ(countCalls("Restore("), c.restores) << c.failing;
    EXPECT_EQ(countCalls("ReleaseDC("), c.opened ? 1 : 0) << c.failing;
    EXPECT_EQ(countCalls("Flip("), c.opened ? 1 : 0) << c.failing;
    EXPECT_EQ(headless::inOrder({"Blt(surface2", "Restore(surface1", "Blt(surface2", "GetDC(surface2"}), c.lose);
  }
  EXPECT_TRUE(theViewer->isComplete());
  EXPECT_EQ(host.frameCount(), 3);
}

// A device context that could not be given back goes back at the next
// frame. Frames that get none are skipped until kFrameAttempts of them in a
// row give the display up, naming the call.
TEST(ViewerTest, FramesWithoutADeviceContextAreBounded) {
  platform::HeadlessHost& host = headless::startProgram();
  platform::failCall("ReleaseDC");
  for (int k = 0; k < 2; ++k) {
    ASSERT_TRUE(theViewer->beginFrame());
    theViewer->endFrame();
  }
  EXPECT_TRUE(headless::inOrder({"ReleaseDC(surface2, dc", "ReleaseDC(surface2, dc", "Blt(", "GetDC(", "Flip("}));
  EXPECT_EQ(host.frameCount(), 1);
  const auto skip = [](int frames) {
    platform::failCall("GetDC", 1, true);
    for (int k = 0; k < frames; ++k) EXPECT_FALSE(theViewer->beginFrame());
    platform::clearTrace();
  };
  skip(kFrameAttempts - 1);
  ASSERT_TRUE(theViewer->beginFrame());
  theViewer->endFrame();
  skip(kFrameAttempts - 1);
  EXPECT_TRUE(theViewer->isComplete());
  testing::internal::CaptureStderr();
  skip(1);
  EXPECT_FALSE(theViewer->isComplete());
  EXPECT_NE(testing::internal::GetCapturedStderr().find("GetDC failed"), std::string::npos);
}

}  // namespace
