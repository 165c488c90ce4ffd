// The host's input reaching DirectDraw: a deactivation in exclusive mode and
// the script's fault command both lose the surfaces.
#include <gtest/gtest.h>

#include "direct_draw_fixture.h"

namespace {

class HostFocusTest : public DirectDrawTest {
 protected:
  void SetUp() override {
    DirectDrawTest::SetUp();
    createSurfaces();
  }
};

TEST_F(HostFocusTest, DeactivationLosesTheExclusiveSurfaces) {
  useScript("deactivate\nactivate\n");
  ASSERT_EQ(fill(primary, 0), DD_OK);
  WaitMessage();
  EXPECT_EQ(fill(primary, 0), DDERR_SURFACELOST);
  MSG message = {};
  ASSERT_EQ(GetMessageA(&message, window, 0, 0), 1);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_ACTIVATE));
  ASSERT_EQ(GetMessageA(&message, window, 0, 0), 1);
  EXPECT_EQ(LOWORD(message.wParam), WA_ACTIVE);
  EXPECT_EQ(primary->Restore(), DD_OK);
  EXPECT_EQ(fill(primary, 0), DD_OK);
}

TEST_F(HostFocusTest, ScriptLosesSurfacesWhenItsStepIsHandedOver) {
  useScript("lose surfaces now; key 65\n");
  ASSERT_EQ(fill(primary, 0), DD_OK);
  MSG message = {};
  EXPECT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE), FALSE);
  EXPECT_EQ(fill(primary, 0), DD_OK);
  ASSERT_EQ(GetMessageA(&message, window, 0, 0), 1);
  EXPECT_EQ(message.wParam, 65u);
  EXPECT_EQ(fill(primary, 0), DDERR_SURFACELOST);
}

}  // namespace
