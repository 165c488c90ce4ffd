// The Viewer's display device and frame cycle on the headless host.
#include <tuple>

#include "display/headless.h"
#include "platform/direct_draw_state.h"

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

// A lost surface is restored and filled once more, and the frame is drawn
// even when the restore fails (unseen; the next frame tries again); an
// error that passes is retried.
TEST(ViewerTest, ALostSurfaceIsRestoredWithOneMoreFill) {
  platform::HeadlessHost& host = headless::startProgram();
  const std::tuple<bool, std::string, int> cases[] = {{true, "Restore", 1}, {true, "", 1}, {false, "Blt", 0}};
  for (const auto& [lose, failing, restores] : cases) {
    platform::clearTrace();
    if (lose) platform::loseSurfacesNow();
    if (!failing.empty()) platform::failCall(failing);
    ASSERT_TRUE(theViewer->beginFrame()) << failing;
    theViewer->endFrame();
    EXPECT_EQ(countCalls("Blt("), 2) << failing;
    EXPECT_EQ(countCalls("Restore("), restores) << failing;
    EXPECT_EQ(countCalls("Flip("), 1) << failing;
    EXPECT_EQ(headless::inOrder({"Blt(surface2", "Restore(surface1", "Blt(surface2", "GetDC(surface2"}), lose);
  }
  EXPECT_TRUE(theViewer->isComplete());
  EXPECT_EQ(host.frameCount(), 2);
}

}  // namespace
