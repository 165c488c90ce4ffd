// The DirectDraw object: creation, cooperative level, display mode, the
// flipping chain, reference counts, and calls through released objects.
#include <gtest/gtest.h>

#include "direct_draw_fixture.h"
#include "platform/user_format.h"

namespace {

TEST_F(DirectDrawTest, ProgramsSetUpAndTearDownGiveTheRealCounts) {
  createSurfaces();
  ASSERT_NE(platform::frontPixels(), nullptr);
  EXPECT_EQ(back->Release(), 1u);  // the chain still holds the back buffer
  EXPECT_EQ(primary->Release(), 0u);
  EXPECT_EQ(platform::frontPixels(), nullptr);
  EXPECT_EQ(directDraw->RestoreDisplayMode(), DD_OK);
  EXPECT_EQ(directDraw->Release(), 0u);
}

TEST_F(DirectDrawTest, ReleasedObjectsAnswerWithoutTouchingAnything) {
  createSurfaces();
  back->Release();
  primary->Release();
  EXPECT_EQ(primary->Release(), 0u);
  EXPECT_EQ(back->Release(), 0u);
  EXPECT_EQ(fill(back, 1), DDERR_INVALIDOBJECT);
  EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DDERR_INVALIDOBJECT);
  HDC dc = nullptr;
  EXPECT_EQ(back->GetDC(&dc), DDERR_INVALIDOBJECT);
  EXPECT_EQ(primary->Restore(), DDERR_INVALIDOBJECT);
  directDraw->Release();
  EXPECT_EQ(directDraw->Release(), 0u);
  DDSURFACEDESC description = chainDescription();
  LPDIRECTDRAWSURFACE surface = nullptr;
  EXPECT_EQ(directDraw->CreateSurface(&description, &surface, nullptr), DDERR_INVALIDOBJECT);
  EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 8), DDERR_INVALIDOBJECT);
}

// Releasing DirectDraw first ends the surfaces made from it, device
// context included.
TEST_F(DirectDrawTest, ReleasingDirectDrawEndsItsSurfaces) {
  createSurfaces();
  HDC dc = nullptr;
  ASSERT_EQ(back->GetDC(&dc), DD_OK);
  EXPECT_EQ(directDraw->Release(), 0u);
  EXPECT_EQ(platform::frontPixels(), nullptr);
  EXPECT_EQ(fill(back, 1), DDERR_INVALIDOBJECT);
  EXPECT_FALSE(LineTo(dc, 10, 10));
  EXPECT_EQ(back->Release(), 0u);
}

TEST_F(DirectDrawTest, OnlyTheExclusive8BitModeIsProvided) {
  createDirectDraw();
  EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 8), DDERR_NOEXCLUSIVEMODE);
  EXPECT_EQ(directDraw->SetCooperativeLevel(nullptr, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DDERR_INVALIDPARAMS);
  EXPECT_EQ(directDraw->SetCooperativeLevel(window, DDSCL_EXCLUSIVE), DDERR_INVALIDPARAMS);
  EXPECT_EQ(directDraw->SetCooperativeLevel(window, DDSCL_NORMAL | DDSCL_EXCLUSIVE), DDERR_INVALIDPARAMS);
  EXPECT_EQ(directDraw->SetCooperativeLevel(window, DDSCL_NORMAL), DD_OK);
  EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 8), DDERR_NOEXCLUSIVEMODE);
  ASSERT_EQ(directDraw->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
  EXPECT_EQ(directDraw->SetDisplayMode(800, 600, 8), DDERR_INVALIDMODE);
  EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 16), DDERR_INVALIDMODE);
  DDSURFACEDESC description = chainDescription();
  EXPECT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DDERR_UNSUPPORTEDMODE);
  EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 8), DD_OK);

  LPDIRECTDRAW second = nullptr;
  ASSERT_EQ(DirectDrawCreate(nullptr, &second, nullptr), DD_OK);
  EXPECT_EQ(second->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DDERR_EXCLUSIVEMODEALREADYSET);
  second->Release();
}

TEST_F(DirectDrawTest, CreateSurfaceChecksItsArguments) {
  createDirectDraw();
  DDSURFACEDESC description = chainDescription();
  EXPECT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DDERR_NOCOOPERATIVELEVELSET);
  ASSERT_EQ(directDraw->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
  ASSERT_EQ(directDraw->SetDisplayMode(640, 480, 8), DD_OK);

  primary = reinterpret_cast<LPDIRECTDRAWSURFACE>(&description);
  description.dwSize = 108;  // the 32-bit size, not this build's
  EXPECT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DDERR_INVALIDPARAMS);
  EXPECT_EQ(primary, nullptr);
  description = chainDescription();
  description.dwFlags = DDSD_CAPS;
  EXPECT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DDERR_INVALIDPARAMS);
  description = chainDescription();
  EXPECT_EQ(directDraw->CreateSurface(&description, nullptr, nullptr), DDERR_INVALIDPARAMS);
  EXPECT_EQ(directDraw->CreateSurface(nullptr, &primary, nullptr), DDERR_INVALIDPARAMS);
  EXPECT_EQ(directDraw->CreateSurface(&description, &primary, reinterpret_cast<IUnknown*>(window)),
            CLASS_E_NOAGGREGATION);
  ASSERT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DD_OK);
  LPDIRECTDRAWSURFACE another = nullptr;
  EXPECT_EQ(directDraw->CreateSurface(&description, &another, nullptr), DDERR_PRIMARYSURFACEALREADYEXISTS);

  DDSCAPS front = {DDSCAPS_FRONTBUFFER};
  EXPECT_EQ(primary->GetAttachedSurface(&front, &back), DDERR_NOTFOUND);
  EXPECT_EQ(primary->GetAttachedSurface(nullptr, &back), DDERR_INVALIDPARAMS);
  DDSCAPS backCaps = {DDSCAPS_BACKBUFFER};
  EXPECT_EQ(primary->GetAttachedSurface(&backCaps, nullptr), DDERR_INVALIDPARAMS);
}

TEST_F(DirectDrawTest, DirectDrawCreateChecksItsArguments) {
  EXPECT_EQ(DirectDrawCreate(nullptr, nullptr, nullptr), DDERR_INVALIDPARAMS);
  GUID driver = {1, 2, 3, {4}};
  directDraw = reinterpret_cast<LPDIRECTDRAW>(&driver);
  EXPECT_EQ(DirectDrawCreate(&driver, &directDraw, nullptr), DDERR_INVALIDDIRECTDRAWGUID);
  EXPECT_EQ(directDraw, nullptr);
}

TEST_F(DirectDrawTest, CallsAreLoggedAsTheProgramMakesThem) {
  platform::setCallLogging(true);
  createSurfaces();
  fill(back, 0);
  primary->Flip(nullptr, DDFLIP_WAIT);
  back->Release();
  const std::string size = std::to_string(sizeof(DDSURFACEDESC));
  const std::string fxSize = std::to_string(sizeof(DDBLTFX));
  std::vector<std::string> expected = {
      "DirectDrawCreate(NULL, &directDraw, NULL)",
      "SetCooperativeLevel(ddraw1, " + platform::handleText(window) + ", 0x11)",
      "SetDisplayMode(ddraw1, 640, 480, 8)",
      "CreateSurface(ddraw1, {size=" + size + ",flags=0x21,caps=0x218,backbuffers=1}, &surface, NULL)",
      "GetAttachedSurface(surface1, {caps=0x4}, &surface)",
      "Blt(surface2, NULL, NULL, NULL, 0x1000400, {size=" + fxSize + ",fill=0})",
      "Flip(surface1, NULL, 0x1)",
      "Release(surface2)"};
  EXPECT_EQ(platform::callLog(), expected);
}

TEST_F(DirectDrawTest, InjectedFaultsGiveTheRealFailureResults) {
  platform::failCall("DirectDrawCreate");
  directDraw = reinterpret_cast<LPDIRECTDRAW>(window);
  EXPECT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DDERR_GENERIC);
  EXPECT_EQ(directDraw, nullptr);
  createSurfaces();
  platform::failCall("Blt");
  EXPECT_EQ(fill(back, 0), DDERR_GENERIC);
  EXPECT_EQ(fill(back, 0), DD_OK);
  platform::failCall("GetDC");
  HDC dc = nullptr;
  EXPECT_EQ(back->GetDC(&dc), DDERR_CANTCREATEDC);
  EXPECT_EQ(dc, nullptr);
  platform::failCall("SetDisplayMode");
  EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 8), DDERR_GENERIC);
}

}  // namespace
