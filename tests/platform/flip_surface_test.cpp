// The surfaces of the flipping chain: colour fills, flips, device
// contexts, and lost surfaces.
#include <gtest/gtest.h>

#include "direct_draw_fixture.h"

namespace {

constexpr std::size_t kPixels = 640 * 480;

bool allPixelsAre(const std::uint8_t* pixels, std::uint8_t value) {
  for (std::size_t i = 0; i < kPixels; ++i) {
    if (pixels[i] != value) return false;
  }
  return true;
}

class FlipSurfaceTest : public DirectDrawTest {
 protected:
  void SetUp() override {
    DirectDrawTest::SetUp();
    createSurfaces();
  }
};

TEST_F(FlipSurfaceTest, ColourFillCoversItsRectangleOnly) {
  ASSERT_EQ(fill(back, 7), DD_OK);
  EXPECT_TRUE(allPixelsAre(platform::backPixels(), 7));
  RECT box = {10, 20, 30, 25};
  ASSERT_EQ(fill(back, 0x103, &box), DD_OK);  // the low byte is the index
  const std::uint8_t* pixels = platform::backPixels();
  EXPECT_EQ(pixels[20 * 640 + 10], 3);
  EXPECT_EQ(pixels[24 * 640 + 29], 3);
  EXPECT_EQ(pixels[25 * 640 + 10], 7);
  EXPECT_EQ(pixels[20 * 640 + 30], 7);
  EXPECT_EQ(pixels[19 * 640 + 10], 7);
}

TEST_F(FlipSurfaceTest, ColourFillRefusesBadArguments) {
  RECT outside = {0, 0, 641, 480}, empty = {5, 5, 5, 9}, inverted = {9, 9, 5, 5}, negative = {-1, 0, 5, 5};
  for (RECT* rect : {&outside, &empty, &inverted, &negative}) EXPECT_EQ(fill(back, 1, rect), DDERR_INVALIDRECT);
  DDBLTFX fx = {};
  fx.dwSize = 100;  // the 32-bit size, not this build's
  EXPECT_EQ(back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_INVALIDPARAMS);
  EXPECT_EQ(back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, nullptr), DDERR_INVALIDPARAMS);
  fx.dwSize = sizeof fx;
  EXPECT_EQ(back->Blt(nullptr, primary, nullptr, DDBLT_WAIT, &fx), DDERR_UNSUPPORTED);
  EXPECT_TRUE(allPixelsAre(platform::backPixels(), 0));
}

TEST_F(FlipSurfaceTest, FlipSwapsTheBuffersAndPresentsTheNewFront) {
  fill(primary, 9);
  fill(back, 5);
  const std::uint8_t* oldFront = platform::frontPixels();
  const std::uint8_t* oldBack = platform::backPixels();
  ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
  EXPECT_EQ(platform::frontPixels(), oldBack);  // swapped, not copied
  EXPECT_EQ(platform::backPixels(), oldFront);
  EXPECT_TRUE(allPixelsAre(platform::frontPixels(), 5));
  EXPECT_TRUE(allPixelsAre(platform::backPixels(), 9));
  ASSERT_EQ(host->frames().size(), 1u);
  EXPECT_EQ(host->frames()[0].pixels[0], 5);
  EXPECT_EQ(host->frames()[0].palette[255].r, platform::displayPalette()[255].r);

  EXPECT_EQ(primary->Flip(back, DDFLIP_WAIT), DD_OK);
  EXPECT_EQ(primary->Flip(primary, DDFLIP_WAIT), DDERR_INVALIDPARAMS);
  EXPECT_EQ(back->Flip(nullptr, DDFLIP_WAIT), DDERR_NOTFLIPPABLE);
  EXPECT_EQ(host->frames().size(), 2u);
}

TEST_F(FlipSurfaceTest, DeviceContextDrawsOnTheBackBufferUntilReleased) {
  HDC dc = nullptr;
  ASSERT_EQ(back->GetDC(&dc), DD_OK);
  HDC second = nullptr;
  EXPECT_EQ(back->GetDC(&second), DDERR_DCALREADYCREATED);
  EXPECT_EQ(back->GetDC(nullptr), DDERR_INVALIDPARAMS);
  SelectObject(dc, CreatePen(PS_SOLID, 0, RGB(255, 255, 255)));
  MoveToEx(dc, 95, 100, nullptr);
  EXPECT_TRUE(LineTo(dc, 106, 100));
  EXPECT_EQ(fill(back, 0), DDERR_SURFACEBUSY);
  EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DDERR_SURFACEBUSY);
  EXPECT_EQ(back->ReleaseDC(second), DDERR_INVALIDPARAMS);
  ASSERT_EQ(back->ReleaseDC(dc), DD_OK);
  EXPECT_EQ(back->ReleaseDC(dc), DDERR_NODC);
  EXPECT_FALSE(LineTo(dc, 0, 0));  // the handle died with its release
  const std::uint8_t white = platform::backPixels()[100 * 640 + 95];
  EXPECT_NE(white, 0);
  EXPECT_EQ(platform::backPixels()[100 * 640 + 105], white);
  EXPECT_EQ(platform::backPixels()[100 * 640 + 106], 0);
  ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
  EXPECT_EQ(platform::frontPixels()[100 * 640 + 100], white);
}

TEST_F(FlipSurfaceTest, LosingTheForegroundLosesTheSurfacesUntilThePrimaryIsRestored) {
  fill(back, 4);
  platform::directDrawFocusChanged(false);
  HDC dc = nullptr;
  EXPECT_EQ(fill(back, 1), DDERR_SURFACELOST);
  EXPECT_EQ(back->GetDC(&dc), DDERR_SURFACELOST);
  EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DDERR_SURFACELOST);
  EXPECT_EQ(primary->Restore(), DDERR_WRONGMODE);  // the display is not the program's
  platform::directDrawFocusChanged(true);
  EXPECT_EQ(fill(back, 1), DDERR_SURFACELOST);
  EXPECT_EQ(back->Restore(), DDERR_IMPLICITLYCREATED);
  EXPECT_EQ(fill(back, 1), DDERR_SURFACELOST);
  ASSERT_EQ(primary->Restore(), DD_OK);
  EXPECT_TRUE(allPixelsAre(platform::backPixels(), 0));
  EXPECT_EQ(fill(back, 1), DD_OK);
  EXPECT_EQ(back->GetDC(&dc), DD_OK);
  EXPECT_EQ(back->ReleaseDC(dc), DD_OK);
  EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
  EXPECT_EQ(primary->Restore(), DD_OK);
}

// An injected loss needs only a restore; leaving the mode needs the mode
// back first.
TEST_F(FlipSurfaceTest, OtherLossesAndWhatTheyNeed) {
  platform::loseSurfacesNow();
  EXPECT_EQ(fill(back, 1), DDERR_SURFACELOST);
  EXPECT_EQ(primary->Restore(), DD_OK);
  EXPECT_EQ(fill(back, 1), DD_OK);
  EXPECT_EQ(directDraw->RestoreDisplayMode(), DD_OK);
  EXPECT_EQ(fill(back, 1), DDERR_SURFACELOST);
  EXPECT_EQ(primary->Restore(), DDERR_WRONGMODE);
  ASSERT_EQ(directDraw->SetDisplayMode(640, 480, 8), DD_OK);
  EXPECT_EQ(primary->Restore(), DD_OK);
}

}  // namespace
