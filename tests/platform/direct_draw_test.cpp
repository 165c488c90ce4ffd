// DirectDraw as the program uses it: the exclusive 640 x 480 x 8 mode, the
// flipping chain with its fills, flips and device context, lost surfaces,
// and the order the program releases its objects in.
#include <algorithm>

#include "user_fixture.h"

namespace {

constexpr DWORD kExclusive = DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN;

DDSURFACEDESC chainDescription() {
  DDSURFACEDESC description = {};
  description.dwSize = sizeof description;
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

// The program's order: back buffer, primary, mode, DirectDraw.
TEST_F(DirectDrawTest, ReleaseCountsFollowTheChain) {
  createSurfaces();
  EXPECT_EQ(back->Release(), 1u);  // the chain still holds the back buffer
  EXPECT_EQ(primary->Release(), 0u);
  EXPECT_EQ(platform::frontPixels(), nullptr);
  EXPECT_EQ(directDraw->RestoreDisplayMode(), DD_OK);
  EXPECT_EQ(directDraw->Release(), 0u);
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

// Windows refuses the mode before the cooperative level, and so must the
// emulation, or the order the program depends on goes unchecked.
TEST_F(DirectDrawTest, TheModeNeedsTheExclusiveLevelFirst) {
  EXPECT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DDERR_NOCOOPERATIVELEVELSET);
  EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 8), DDERR_NOEXCLUSIVEMODE);
}

TEST_F(DirectDrawTest, FillsCoverTheirRectangleAndFlipsSwapTheBuffers) {
  createSurfaces();
  RECT box = {10, 20, 30, 25};
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
}

TEST_F(DirectDrawTest, DeviceContextDrawsOnTheBackBufferAndBlocksItUntilReleased) {
  createSurfaces();
  ASSERT_EQ(back->GetDC(&dc), DD_OK);
  SelectObject(dc, CreatePen(PS_SOLID, 0, RGB(255, 255, 255)));
  MoveToEx(dc, 95, 100, nullptr);
  EXPECT_TRUE(LineTo(dc, 106, 100));
  EXPECT_EQ(fill(back, 0), DDERR_SURFACEBUSY);
  EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DDERR_SURFACEBUSY);
  ASSERT_EQ(back->ReleaseDC(dc), DD_OK);
  EXPECT_FALSE(LineTo(dc, 0, 0));  // the handle died with its release
  // Eleven pixels, 95..105, in one colour that is not the cleared one.
  const std::uint8_t* row = platform::backPixels() + 100 * 640;
  EXPECT_EQ(std::count(row + 95, row + 106, row[95]), 11);
  EXPECT_NE(row[95], 0);
}

TEST_F(DirectDrawTest, LockGivesTheWholeSurfaceAndBlocksItUntilUnlocked) {
  createSurfaces();
  ASSERT_EQ(fill(primary, 7), DD_OK);
  DDSURFACEDESC locked = {};
  locked.dwSize = sizeof locked;
  ASSERT_EQ(primary->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
  EXPECT_EQ(locked.dwWidth, 640u);
  EXPECT_EQ(locked.dwHeight, 480u);
  const auto* pixels = static_cast<const std::uint8_t*>(locked.lpSurface);
  EXPECT_EQ(pixels[479 * locked.lPitch + 639], 7);
  EXPECT_EQ(primary->GetDC(&dc), DDERR_SURFACEBUSY);
  EXPECT_EQ(fill(primary, 0), DDERR_SURFACEBUSY);
  EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DDERR_SURFACEBUSY);
  EXPECT_EQ(primary->Unlock(locked.lpSurface), DD_OK);
  EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
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

// A palette attached to an off-screen surface gives its device context the
// palette's colours, for the indices GDI picks and for the colour table;
// the surface keeps the palette alive until it lets it go.
TEST_F(DirectDrawTest, PaletteOfAnOffscreenSurfaceColoursItsDeviceContext) {
  ASSERT_EQ(directDraw->SetCooperativeLevel(window, DDSCL_NORMAL), DD_OK);
  DDSURFACEDESC offscreen = {};
  offscreen.dwSize = sizeof offscreen;
  offscreen.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
  offscreen.dwWidth = 640;
  offscreen.dwHeight = 480;
  offscreen.ddpfPixelFormat.dwSize = sizeof offscreen.ddpfPixelFormat;
  offscreen.ddpfPixelFormat.dwFlags = DDPF_RGB | DDPF_PALETTEINDEXED8;
  offscreen.ddpfPixelFormat.dwRGBBitCount = 8;
  offscreen.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
  LPDIRECTDRAWSURFACE surface = nullptr;
  ASSERT_EQ(directDraw->CreateSurface(&offscreen, &surface, nullptr), DD_OK);

  PALETTEENTRY colours[256] = {};
  colours[5] = PALETTEENTRY{10, 20, 30, 0};
  for (int i = 6; i < 256; ++i) colours[i] = PALETTEENTRY{BYTE(i), 200, 0, 0};
  LPDIRECTDRAWPALETTE palette = nullptr;
  EXPECT_EQ(directDraw->CreatePalette(DDPCAPS_ALLOW256, colours, &palette, nullptr), DDERR_INVALIDPARAMS);
  ASSERT_EQ(directDraw->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, colours, &palette, nullptr), DD_OK);
  EXPECT_EQ(surface->SetPalette(nullptr), DDERR_NOPALETTEATTACHED);
  ASSERT_EQ(surface->SetPalette(palette), DD_OK);
  EXPECT_EQ(surface->SetPalette(palette), DD_OK);
  EXPECT_EQ(palette->Release(), 1u);  // the surface's reference, taken once

  ASSERT_EQ(surface->GetDC(&dc), DD_OK);
  EXPECT_EQ(surface->SetPalette(nullptr), DDERR_SURFACEBUSY);
  RGBQUAD table[256] = {};
  ASSERT_EQ(GetDIBColorTable(dc, 0, 256, table), 256u);
  EXPECT_EQ((std::vector<int>{table[5].rgbRed, table[5].rgbGreen, table[5].rgbBlue, table[7].rgbRed}),
            (std::vector<int>{10, 20, 30, 7}));
  HGDIOBJ previous = SelectObject(dc, CreateSolidBrush(RGB(10, 21, 30)));
  const POINT square[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
  ASSERT_TRUE(Polygon(dc, square, 4));
  DeleteObject(SelectObject(dc, previous));
  ASSERT_EQ(surface->ReleaseDC(dc), DD_OK);
  DDSURFACEDESC locked = {};
  locked.dwSize = sizeof locked;
  ASSERT_EQ(surface->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
  EXPECT_EQ(static_cast<const std::uint8_t*>(locked.lpSurface)[2 * locked.lPitch + 2], 5);  // inside the outline
  ASSERT_EQ(surface->Unlock(locked.lpSurface), DD_OK);

  ASSERT_EQ(surface->SetPalette(nullptr), DD_OK);  // the last reference: the palette ends
  EXPECT_EQ(surface->SetPalette(palette), DDERR_INVALIDOBJECT);
  EXPECT_EQ(surface->Release(), 0u);
}
