// The host's input reaching DirectDraw: a deactivation in exclusive mode and
// the script's fault command both lose the surfaces.
#include <gtest/gtest.h>

#include "platform/direct_draw_state.h"
#include "user_fixture.h"

namespace {

class HostFocusTest : public UserTest {
 protected:
  void SetUp() override {
    UserTest::SetUp();
    platform::resetDirectDraw();
    window_ = createShownWindow();
    ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw_, nullptr), DD_OK);
    ASSERT_EQ(directDraw_->SetCooperativeLevel(window_, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    ASSERT_EQ(directDraw_->SetDisplayMode(640, 480, 8), DD_OK);
    DDSURFACEDESC description = {};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    description.dwBackBufferCount = 1;
    ASSERT_EQ(directDraw_->CreateSurface(&description, &primary_, nullptr), DD_OK);
  }
  void TearDown() override {
    platform::resetDirectDraw();
    UserTest::TearDown();
  }

  HRESULT clear() {
    DDBLTFX fill = {};
    fill.dwSize = sizeof fill;
    return primary_->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fill);
  }

  HWND window_ = nullptr;
  LPDIRECTDRAW directDraw_ = nullptr;
  LPDIRECTDRAWSURFACE primary_ = nullptr;
};

TEST_F(HostFocusTest, DeactivationLosesTheExclusiveSurfaces) {
  useScript("deactivate\nactivate\n");
  ASSERT_EQ(clear(), DD_OK);
  WaitMessage();
  EXPECT_EQ(clear(), DDERR_SURFACELOST);
  MSG message = {};
  ASSERT_EQ(GetMessageA(&message, window_, 0, 0), 1);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_ACTIVATE));
  ASSERT_EQ(GetMessageA(&message, window_, 0, 0), 1);
  EXPECT_EQ(LOWORD(message.wParam), WA_ACTIVE);
  EXPECT_EQ(primary_->Restore(), DD_OK);
  EXPECT_EQ(clear(), DD_OK);
}

TEST_F(HostFocusTest, ScriptLosesSurfacesWhenItsStepIsHandedOver) {
  useScript("lose surfaces now; key 65\n");
  ASSERT_EQ(clear(), DD_OK);
  MSG message = {};
  EXPECT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE), FALSE);
  EXPECT_EQ(clear(), DD_OK);
  ASSERT_EQ(GetMessageA(&message, window_, 0, 0), 1);
  EXPECT_EQ(message.wParam, 65u);
  EXPECT_EQ(clear(), DDERR_SURFACELOST);
}

}  // namespace
