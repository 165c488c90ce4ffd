// DirectDraw as the program uses it: the exclusive 640 x 480 x 8 mode, the
// flipping chain with its fills, flips and device context, lost surfaces,
// reference counts, and calls through released objects.
#include <algorithm>

#include "platform/direct_draw_state.h"
#include "platform/user_format.h"
#include "user_fixture.h"

namespace {

constexpr DWORD kExclusive = DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN;

bool allPixelsAre(const std::uint8_t* pixels, std::uint8_t value) {
  return std::all_of(pixels, pixels + 640 * 480, [&](std::uint8_t p) { return p == value; });
}

class DirectDrawTest : public UserTest {
 protected:
  void SetUp() override {
    UserTest::SetUp();
    platform::resetDirectDraw();
    host = &useScript("");
    window = createShownWindow();
    ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
  }
  void TearDown() override {
    platform::resetDirectDraw();
    UserTest::TearDown();
  }
  void createSurfaces() {
    ASSERT_EQ(directDraw->SetCooperativeLevel(window, kExclusive), DD_OK);
    ASSERT_EQ(directDraw->SetDisplayMode(640, 480, 8), DD_OK);
    DDSURFACEDESC description = chainDescription();
    ASSERT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DD_OK);
    DDSCAPS caps = {DDSCAPS_BACKBUFFER};
    ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
  }
  static DDSURFACEDESC chainDescription() {
    DDSURFACEDESC description = {};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    description.dwBackBufferCount = 1;
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    return description;
  }
  static HRESULT fill(LPDIRECTDRAWSURFACE surface, DWORD colour, RECT* rect = nullptr) {
    DDBLTFX fx = {};
    fx.dwSize = sizeof fx;
    fx.dwFillColor = colour;
    return surface->Blt(rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
  }

  platform::HeadlessHost* host = nullptr;
  HWND window = nullptr;
  LPDIRECTDRAW directDraw = nullptr;
  LPDIRECTDRAWSURFACE primary = nullptr;
  LPDIRECTDRAWSURFACE back = nullptr;
};

TEST_F(DirectDrawTest, ReleaseCountsAndReleasedObjectsAnswerAsWindowsDoes) {
  createSurfaces();
  EXPECT_EQ(back->Release(), 1u);  // the chain still holds the back buffer
  EXPECT_EQ(primary->Release(), 0u);
  EXPECT_EQ(platform::frontPixels(), nullptr);
  EXPECT_EQ(primary->Release(), 0u);
  EXPECT_EQ(back->Release(), 0u);
  HDC dc = nullptr;
  EXPECT_EQ(fill(back, 1), DDERR_INVALIDOBJECT);
  EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DDERR_INVALIDOBJECT);
  EXPECT_EQ(back->GetDC(&dc), DDERR_INVALIDOBJECT);
  EXPECT_EQ(primary->Restore(), DDERR_INVALIDOBJECT);
  EXPECT_EQ(directDraw->RestoreDisplayMode(), DD_OK);
  EXPECT_EQ(directDraw->Release(), 0u);
  EXPECT_EQ(directDraw->Release(), 0u);
  DDSURFACEDESC description = chainDescription();
  EXPECT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DDERR_INVALIDOBJECT);
  EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 8), DDERR_INVALIDOBJECT);
}

TEST_F(DirectDrawTest, ReleasingDirectDrawFirstEndsItsSurfacesAndTheirDeviceContext) {
  createSurfaces();
  HDC dc = nullptr;
  ASSERT_EQ(back->GetDC(&dc), DD_OK);
  EXPECT_EQ(directDraw->Release(), 0u);
  EXPECT_EQ(platform::frontPixels(), nullptr);
  EXPECT_EQ(fill(back, 1), DDERR_INVALIDOBJECT);
  EXPECT_FALSE(LineTo(dc, 10, 10));
  EXPECT_EQ(back->Release(), 0u);
}

TEST_F(DirectDrawTest, OnlyTheExclusive8BitModeWithItsChainIsProvided) {
  DDSURFACEDESC description = chainDescription();
  EXPECT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DDERR_NOCOOPERATIVELEVELSET);
  EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 8), DDERR_NOEXCLUSIVEMODE);
  EXPECT_EQ(directDraw->SetCooperativeLevel(nullptr, kExclusive), DDERR_INVALIDPARAMS);
  EXPECT_EQ(directDraw->SetCooperativeLevel(window, DDSCL_EXCLUSIVE), DDERR_INVALIDPARAMS);
  ASSERT_EQ(directDraw->SetCooperativeLevel(window, kExclusive), DD_OK);
  EXPECT_EQ(directDraw->SetDisplayMode(800, 600, 8), DDERR_INVALIDMODE);
  EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 16), DDERR_INVALIDMODE);
  EXPECT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DDERR_UNSUPPORTEDMODE);
  ASSERT_EQ(directDraw->SetDisplayMode(640, 480, 8), DD_OK);
  LPDIRECTDRAW second = nullptr;
  ASSERT_EQ(DirectDrawCreate(nullptr, &second, nullptr), DD_OK);
  EXPECT_EQ(second->SetCooperativeLevel(window, kExclusive), DDERR_EXCLUSIVEMODEALREADYSET);
  second->Release();

  description.dwSize = 108;  // the 32-bit size, not this build's
  EXPECT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DDERR_INVALIDPARAMS);
  description = chainDescription();
  description.dwFlags = DDSD_CAPS;
  EXPECT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DDERR_INVALIDPARAMS);
  description = chainDescription();
  EXPECT_EQ(directDraw->CreateSurface(&description, nullptr, nullptr), DDERR_INVALIDPARAMS);
  EXPECT_EQ(DirectDrawCreate(nullptr, nullptr, nullptr), DDERR_INVALIDPARAMS);
  ASSERT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DD_OK);
  LPDIRECTDRAWSURFACE another = nullptr;
  EXPECT_EQ(directDraw->CreateSurface(&description, &another, nullptr), DDERR_PRIMARYSURFACEALREADYEXISTS);
  DDSCAPS front = {DDSCAPS_FRONTBUFFER};
  EXPECT_EQ(primary->GetAttachedSurface(&front, &back), DDERR_NOTFOUND);
}

TEST_F(DirectDrawTest, FillsCoverTheirRectangleAndFlipsSwapTheBuffers) {
  createSurfaces();
  RECT box = {10, 20, 30, 25}, outside = {0, 0, 641, 480}, empty = {5, 5, 5, 9}, negative = {-1, 0, 5, 5};
  for (RECT* rect : {&outside, &empty, &negative}) EXPECT_EQ(fill(back, 1, rect), DDERR_INVALIDRECT);
  EXPECT_EQ(back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, nullptr), DDERR_INVALIDPARAMS);
  EXPECT_EQ(back->Blt(nullptr, primary, nullptr, DDBLT_WAIT, nullptr), DDERR_UNSUPPORTED);
  ASSERT_EQ(fill(primary, 9), DD_OK);
  ASSERT_EQ(fill(back, 5), DD_OK);
  ASSERT_EQ(fill(back, 0x103, &box), DD_OK);  // the low byte is the index
  const std::uint8_t* oldFront = platform::frontPixels();
  const std::uint8_t* oldBack = platform::backPixels();
  EXPECT_EQ(oldBack[20 * 640 + 10] * 100 + oldBack[24 * 640 + 29] * 10 + oldBack[25 * 640 + 10], 335);
  EXPECT_EQ(oldBack[20 * 640 + 30] * 10 + oldBack[19 * 640 + 10], 55);

  ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
  EXPECT_EQ(platform::frontPixels(), oldBack);  // swapped, not copied
  EXPECT_EQ(platform::backPixels(), oldFront);
  EXPECT_TRUE(allPixelsAre(platform::backPixels(), 9));
  ASSERT_EQ(host->frames().size(), 1u);
  EXPECT_EQ(host->frames()[0].pixels[0], 5);
  EXPECT_EQ(host->frames()[0].palette[255].r, platform::displayPalette()[255].r);
  EXPECT_EQ(primary->Flip(primary, DDFLIP_WAIT), DDERR_INVALIDPARAMS);
  EXPECT_EQ(back->Flip(nullptr, DDFLIP_WAIT), DDERR_NOTFLIPPABLE);
}

TEST_F(DirectDrawTest, DeviceContextDrawsOnTheBackBufferAndBlocksItUntilReleased) {
  createSurfaces();
  HDC dc = nullptr, second = nullptr;
  ASSERT_EQ(back->GetDC(&dc), DD_OK);
  EXPECT_EQ(back->GetDC(&second), DDERR_DCALREADYCREATED);
  SelectObject(dc, CreatePen(PS_SOLID, 0, RGB(255, 255, 255)));
  MoveToEx(dc, 95, 100, nullptr);
  EXPECT_TRUE(LineTo(dc, 106, 100));
  EXPECT_EQ(fill(back, 0), DDERR_SURFACEBUSY);
  EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DDERR_SURFACEBUSY);
  EXPECT_EQ(back->ReleaseDC(second), DDERR_INVALIDPARAMS);
  ASSERT_EQ(back->ReleaseDC(dc), DD_OK);
  EXPECT_EQ(back->ReleaseDC(dc), DDERR_NODC);
  EXPECT_FALSE(LineTo(dc, 0, 0));  // the handle died with its release
  const std::uint8_t* row = platform::backPixels() + 100 * 640;
  EXPECT_NE(row[95], 0);
  EXPECT_EQ(std::count(row, row + 640, row[95]), 11);
}

// Losses stay until the primary is restored, which works only in the
// foreground and in the program's mode.
TEST_F(DirectDrawTest, LostSurfacesAnswerSurfaceLostUntilThePrimaryIsRestored) {
  createSurfaces();
  useScript("deactivate\nactivate\nlose surfaces now; key 65\n");
  fill(back, 4);
  WaitMessage();
  HDC dc = nullptr;
  EXPECT_EQ(fill(back, 1), DDERR_SURFACELOST);
  EXPECT_EQ(back->GetDC(&dc), DDERR_SURFACELOST);
  EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DDERR_SURFACELOST);
  EXPECT_EQ(primary->Restore(), DDERR_WRONGMODE);
  EXPECT_EQ(drain().size(), 1u);
  WaitMessage();
  EXPECT_EQ(fill(back, 1), DDERR_SURFACELOST);
  EXPECT_EQ(back->Restore(), DDERR_IMPLICITLYCREATED);
  ASSERT_EQ(primary->Restore(), DD_OK);
  EXPECT_TRUE(allPixelsAre(platform::backPixels(), 0));
  EXPECT_EQ(fill(back, 1), DD_OK);
  EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);

  EXPECT_EQ(drain().size(), 1u);  // the activation; the next step not yet handed over
  EXPECT_EQ(fill(back, 1), DD_OK);
  WaitMessage();
  EXPECT_EQ(fill(back, 1), DDERR_SURFACELOST);
  EXPECT_EQ(primary->Restore(), DD_OK);
  EXPECT_EQ(directDraw->RestoreDisplayMode(), DD_OK);
  EXPECT_EQ(fill(back, 1), DDERR_SURFACELOST);
  EXPECT_EQ(primary->Restore(), DDERR_WRONGMODE);
  ASSERT_EQ(directDraw->SetDisplayMode(640, 480, 8), DD_OK);
  EXPECT_EQ(primary->Restore(), DD_OK);
}

TEST_F(DirectDrawTest, CallsAreLoggedAndInjectedFaultsGiveTheRealResults) {
  platform::setCallLogging(true);
  createSurfaces();
  fill(back, 0);
  primary->Flip(nullptr, DDFLIP_WAIT);
  back->Release();
  const std::string size = std::to_string(sizeof(DDSURFACEDESC)), fxSize = std::to_string(sizeof(DDBLTFX));
  EXPECT_EQ(platform::callLog(),
            (std::vector<std::string>{
                "SetCooperativeLevel(ddraw1, " + platform::handleText(window) + ", 0x11)",
                "SetDisplayMode(ddraw1, 640, 480, 8)",
                "CreateSurface(ddraw1, {size=" + size + ",flags=0x21,caps=0x218,backbuffers=1}, &surface, NULL)",
                "GetAttachedSurface(surface1, {caps=0x4}, &surface)",
                "Blt(surface2, NULL, NULL, NULL, 0x1000400, {size=" + fxSize + ",fill=0})",
                "Flip(surface1, NULL, 0x1)", "Release(surface2)"}));
  for (const char* call : {"DirectDrawCreate", "Blt", "GetDC", "SetDisplayMode"}) platform::failCall(call);
  LPDIRECTDRAW other = directDraw;
  EXPECT_EQ(DirectDrawCreate(nullptr, &other, nullptr), DDERR_GENERIC);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(fill(primary, 0), DDERR_GENERIC);
  HDC dc = nullptr;
  EXPECT_EQ(primary->GetDC(&dc), DDERR_CANTCREATEDC);
  EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 8), DDERR_GENERIC);
}

}  // namespace
