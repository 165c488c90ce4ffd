// DirectDraw as the program uses it: the exclusive 640 x 480 x 8 mode, the
// flipping chain with its fills, flips and device context, lost surfaces,
// reference counts, and calls through released objects.
#include <algorithm>

#include "user_fixture.h"

namespace {

constexpr DWORD kExclusive = DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN;

DDSURFACEDESC chainDescription(DWORD size = sizeof(DDSURFACEDESC)) {
  DDSURFACEDESC description = {};
  description.dwSize = size;
  description.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  description.dwBackBufferCount = 1;
  description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
  return description;
}

HRESULT fill(LPDIRECTDRAWSURFACE surface, DWORD colour, RECT* rect = nullptr) {
  DDBLTFX fx = {};
  fx.dwSize = sizeof fx;
  fx.dwFillColor = colour;
  return surface->Blt(rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

class DirectDrawTest : public UserTest {
 protected:
  void SetUp() override {
    UserTest::SetUp();
    host = &useScript("");
    window = createShownWindow();
    ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
  }
  void createSurfaces() {
    ASSERT_EQ(directDraw->SetCooperativeLevel(window, kExclusive), DD_OK);
    ASSERT_EQ(directDraw->SetDisplayMode(640, 480, 8), DD_OK);
    ASSERT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DD_OK);
    DDSCAPS caps = {DDSCAPS_BACKBUFFER};
    ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
  }

  platform::HeadlessHost* host = nullptr;
  HWND window = nullptr;
  LPDIRECTDRAW directDraw = nullptr;
  DDSURFACEDESC description = chainDescription();
  LPDIRECTDRAWSURFACE primary = nullptr, back = nullptr;
  HDC dc = nullptr;
};

TEST_F(DirectDrawTest, ReleaseCountsAndReleasedObjectsAnswerAsWindowsDoes) {
  createSurfaces();
  EXPECT_EQ(back->Release(), 1u);  // the chain still holds the back buffer
  EXPECT_EQ(primary->Release(), 0u);
  EXPECT_EQ(platform::frontPixels(), nullptr);
  EXPECT_EQ(primary->Release(), 0u);  // released twice
  EXPECT_EQ(back->Release(), 0u);
  EXPECT_EQ(fill(back, 1), DDERR_INVALIDOBJECT);
  EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DDERR_INVALIDOBJECT);
  EXPECT_EQ(back->GetDC(&dc), DDERR_INVALIDOBJECT);
  EXPECT_EQ(primary->Restore(), DDERR_INVALIDOBJECT);
  EXPECT_EQ(directDraw->RestoreDisplayMode(), DD_OK);
  EXPECT_EQ(directDraw->Release(), 0u);
  EXPECT_EQ(directDraw->Release(), 0u);
  EXPECT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DDERR_INVALIDOBJECT);
}

TEST_F(DirectDrawTest, ReleasingDirectDrawFirstEndsItsSurfacesAndTheirDeviceContext) {
  createSurfaces();
  ASSERT_EQ(back->GetDC(&dc), DD_OK);
  EXPECT_EQ(directDraw->Release(), 0u);
  EXPECT_EQ(platform::frontPixels(), nullptr);
  EXPECT_EQ(fill(back, 1), DDERR_INVALIDOBJECT);
  EXPECT_FALSE(LineTo(dc, 10, 10));
  EXPECT_EQ(back->Release(), 0u);
}

TEST_F(DirectDrawTest, OnlyTheExclusive8BitModeWithOneChainIsProvided) {
  EXPECT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DDERR_NOCOOPERATIVELEVELSET);
  EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 8), DDERR_NOEXCLUSIVEMODE);
  ASSERT_EQ(directDraw->SetCooperativeLevel(window, kExclusive), DD_OK);
  EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 16), DDERR_INVALIDMODE);
  LPDIRECTDRAW second = nullptr;
  ASSERT_EQ(DirectDrawCreate(nullptr, &second, nullptr), DD_OK);
  EXPECT_EQ(second->SetCooperativeLevel(window, kExclusive), DDERR_EXCLUSIVEMODEALREADYSET);
  createSurfaces();
  DDSURFACEDESC wrongSize = chainDescription(108);  // the 32-bit size, not this build's
  EXPECT_EQ(directDraw->CreateSurface(&wrongSize, &back, nullptr), DDERR_INVALIDPARAMS);
  EXPECT_EQ(directDraw->CreateSurface(&description, &back, nullptr), DDERR_PRIMARYSURFACEALREADYEXISTS);
}

TEST_F(DirectDrawTest, FillsCoverTheirRectangleAndFlipsSwapTheBuffers) {
  createSurfaces();
  RECT box = {10, 20, 30, 25}, outside = {0, 0, 641, 480}, empty = {5, 5, 5, 9}, negative = {-1, 0, 5, 5};
  for (RECT* rect : {&outside, &empty, &negative}) EXPECT_EQ(fill(back, 1, rect), DDERR_INVALIDRECT);
  EXPECT_EQ(back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, nullptr), DDERR_INVALIDPARAMS);
  ASSERT_EQ(fill(primary, 9), DD_OK);
  ASSERT_EQ(fill(back, 5), DD_OK);
  ASSERT_EQ(fill(back, 0x103, &box), DD_OK);
  const std::uint8_t *oldFront = platform::frontPixels(), *oldBack = platform::backPixels();
  // The box holds index 3, the low byte of 0x103, on all its 20 x 5 pixels.
  EXPECT_EQ(std::count(oldBack, oldBack + 640 * 480, 3), 20 * 5);
  EXPECT_EQ(oldBack[24 * 640 + 29], 3);
  ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
  EXPECT_EQ(platform::frontPixels(), oldBack);  // swapped, not copied
  EXPECT_EQ(platform::backPixels(), oldFront);
  ASSERT_EQ(host->frames().size(), 1u);
  EXPECT_EQ(host->frames()[0].pixels, std::vector<std::uint8_t>(oldBack, oldBack + 640 * 480));
  EXPECT_EQ(host->frames()[0].palette[255].r, platform::displayPalette()[255].r);
  EXPECT_EQ(primary->Flip(primary, DDFLIP_WAIT), DDERR_INVALIDPARAMS);
  EXPECT_EQ(back->Flip(nullptr, DDFLIP_WAIT), DDERR_NOTFLIPPABLE);
}

TEST_F(DirectDrawTest, DeviceContextDrawsOnTheBackBufferAndBlocksItUntilReleased) {
  createSurfaces();
  HDC second = nullptr;
  ASSERT_EQ(back->GetDC(&dc), DD_OK);
  EXPECT_EQ(back->GetDC(&second), DDERR_DCALREADYCREATED);
  SelectObject(dc, CreatePen(PS_SOLID, 0, RGB(255, 255, 255)));
  MoveToEx(dc, 95, 100, nullptr);
  EXPECT_TRUE(LineTo(dc, 106, 100));
  EXPECT_EQ(fill(back, 0), DDERR_SURFACEBUSY);
  EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DDERR_SURFACEBUSY);
  ASSERT_EQ(back->ReleaseDC(dc), DD_OK);
  EXPECT_EQ(back->ReleaseDC(dc), DDERR_NODC);
  EXPECT_FALSE(LineTo(dc, 0, 0));  // the handle died with its release
  // Eleven pixels, 95..105, in one colour that is not the cleared one.
  const std::uint8_t* row = platform::backPixels() + 100 * 640;
  EXPECT_EQ(std::count(row + 95, row + 106, row[95]), 11);
  EXPECT_NE(row[95], 0);
}

// Losses stay until the primary is restored, which works only in the
// foreground and in the program's mode.
TEST_F(DirectDrawTest, LostSurfacesAnswerSurfaceLostUntilThePrimaryIsRestored) {
  createSurfaces();
  useScript("deactivate\nactivate\nlose surfaces now; key 65\n");
  WaitMessage();
  EXPECT_EQ(fill(back, 1), DDERR_SURFACELOST);
  EXPECT_EQ(back->GetDC(&dc), DDERR_SURFACELOST);
  EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DDERR_SURFACELOST);
  EXPECT_EQ(primary->Restore(), DDERR_WRONGMODE);
  drain();
  WaitMessage();
  EXPECT_EQ(back->Restore(), DDERR_IMPLICITLYCREATED);
  EXPECT_EQ(fill(back, 1), DDERR_SURFACELOST);
  ASSERT_EQ(primary->Restore(), DD_OK);
  EXPECT_EQ(fill(back, 1), DD_OK);
  EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
  EXPECT_EQ(drain().size(), 1u);  // the activation; looking hands over no step
  WaitMessage();
  EXPECT_EQ(fill(back, 1), DDERR_SURFACELOST);
  EXPECT_EQ(directDraw->RestoreDisplayMode(), DD_OK);
  EXPECT_EQ(primary->Restore(), DDERR_WRONGMODE);
}

}  // namespace
