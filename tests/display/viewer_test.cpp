// The Viewer's display device and frame cycle on the headless host.
#include <gtest/gtest.h>

#include <algorithm>

#include "display/current_viewer.h"
#include "display/headless.h"
#include "display/viewer.h"
#include "geometry/expect_geometry.h"

namespace {

using headless::countCalls;
using headless::findCall;

bool inOrder(std::initializer_list<const char*> prefixes) {
  int at = 0;
  for (const char* prefix : prefixes) {
    at = findCall(prefix, at);
    if (at < 0) {
      ADD_FAILURE() << "no " << prefix << " in order";
      return false;
    }
    ++at;
  }
  return true;
}

TEST(ViewerTest, ConstructionTakesTheDisplayInOrder) {
  headless::startProgram();
  EXPECT_TRUE(theViewer->isComplete());
  EXPECT_TRUE(matrixIs(theViewer->modelRotation, identityMatrix));
  EXPECT_TRUE(matrixIs(theViewer->modelInverse, identityMatrix));
  EXPECT_TRUE(tupleIs(theViewer->eyeInModel, 0, 0, 5, 1));
  EXPECT_TRUE(inOrder({"DirectDrawCreate(NULL", "SetCooperativeLevel(ddraw1, ", "SetDisplayMode(ddraw1, 640, 480, 8)",
                       "CreateSurface(ddraw1, {size=", "GetAttachedSurface(surface1, {caps=0x4}"}));
  EXPECT_NE(headless::calls("SetCooperativeLevel(")[0].find(", 0x11)"), std::string::npos);
  EXPECT_NE(headless::calls("CreateSurface(")[0].find("flags=0x21,caps=0x218,backbuffers=1"), std::string::npos);
}

TEST(ViewerTest, DestructionReleasesBackBufferFirstAndRestoresModeBeforeRelease) {
  headless::startProgram();
  platform::clearTrace();
  delete theViewer;
  theViewer = nullptr;
  EXPECT_TRUE(inOrder({"Release(surface2)", "Release(surface1)", "RestoreDisplayMode(ddraw1)", "Release(ddraw1)"}));
}

TEST(ViewerTest, AFrameWithoutDrawingIsAllIndexZeroAndSetsCurrentViewerOnlyWithin) {
  platform::HeadlessHost& host = headless::startProgram();
  EXPECT_EQ(currentViewer, nullptr);
  EXPECT_EQ(currentDC(), nullptr);
  ASSERT_TRUE(theViewer->beginFrame());
  EXPECT_EQ(currentViewer, theViewer);
  EXPECT_NE(currentDC(), nullptr);
  theViewer->endFrame();
  EXPECT_EQ(currentViewer, nullptr);
  EXPECT_EQ(currentDC(), nullptr);
  ASSERT_EQ(host.frameCount(), 1);
  const auto& pixels = host.frames().back().pixels;
  EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](std::uint8_t p) { return p == 0; }));
}

TEST(ViewerTest, ALostSurfaceIsRestoredOnceWithOneMoreFill) {
  platform::HeadlessHost& host = headless::startProgram();
  platform::loseSurfacesNow();
  platform::clearTrace();
  ASSERT_TRUE(theViewer->beginFrame());
  theViewer->endFrame();
  EXPECT_TRUE(inOrder({"Blt(surface2", "Restore(surface1", "Blt(surface2", "GetDC(surface2"}));
  EXPECT_EQ(countCalls("Blt("), 2);
  EXPECT_EQ(host.frameCount(), 1);
}

// A lost surface that cannot be restored still gets its one more fill, and
// an error that passes is retried.
TEST(ViewerTest, OneMoreFillWhenTheSurfacesStayLostAndRetriesForPassingErrors) {
  headless::startProgram();
  platform::loseSurfacesNow();
  platform::clearTrace();
  platform::failCall("Restore");
  EXPECT_TRUE(theViewer->beginFrame());
  theViewer->endFrame();
  EXPECT_EQ(countCalls("Blt("), 2);
  EXPECT_EQ(countCalls("Restore("), 1);

  platform::clearTrace();
  ASSERT_EQ(theViewer->primary->Restore(), DD_OK);
  platform::failCall("Blt", 1);
  EXPECT_TRUE(theViewer->beginFrame());
  theViewer->endFrame();
  EXPECT_EQ(countCalls("Blt("), 2);
  EXPECT_TRUE(theViewer->isComplete());
}

// The fill is retried a bounded number of times; then the surfaces are
// given up, nothing is drawn and the Viewer no longer claims to be usable.
TEST(ViewerTest, AFillErrorThatPersistsGivesUpTheSurfaces) {
  platform::HeadlessHost& host = headless::startProgram();
  platform::clearTrace();
  platform::failCall("Blt", 1, true);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(theViewer->beginFrame());
  const std::string message = testing::internal::GetCapturedStderr();
  EXPECT_NE(message.find("Blt"), std::string::npos) << message;
  EXPECT_NE(message.find("HRESULT 0x"), std::string::npos) << message;
  EXPECT_EQ(countCalls("Blt("), 32);
  EXPECT_EQ(countCalls("GetDC("), 0);
  EXPECT_EQ(currentViewer, nullptr);
  EXPECT_FALSE(theViewer->isComplete());

  platform::clearTrace();
  theViewer->drawPlainFrame();
  EXPECT_TRUE(headless::log().empty()) << headless::log().front();
  EXPECT_EQ(host.frameCount(), 0);

  delete theViewer;
  theViewer = nullptr;
  EXPECT_TRUE(inOrder({"RestoreDisplayMode(ddraw1)", "Release(ddraw1)"}));
}

}  // namespace
