#include "direct_draw_fixture.h"

void DirectDrawTest::SetUp() {
  UserTest::SetUp();
  platform::resetDirectDraw();
  host = &useScript("");
  window = createShownWindow();
}

void DirectDrawTest::TearDown() {
  platform::resetDirectDraw();
  UserTest::TearDown();
}

void DirectDrawTest::createDirectDraw() { ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK); }

void DirectDrawTest::takeDisplay() {
  createDirectDraw();
  ASSERT_EQ(directDraw->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
  ASSERT_EQ(directDraw->SetDisplayMode(640, 480, 8), DD_OK);
}

void DirectDrawTest::createSurfaces() {
  takeDisplay();
  DDSURFACEDESC description = chainDescription();
  ASSERT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DD_OK);
  DDSCAPS caps = {DDSCAPS_BACKBUFFER};
  ASSERT_EQ(primary->GetAttachedSurface(&caps, &back), DD_OK);
}

DDSURFACEDESC DirectDrawTest::chainDescription() {
  DDSURFACEDESC description = {};
  description.dwSize = sizeof description;
  description.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  description.dwBackBufferCount = 1;
  description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
  return description;
}

HRESULT DirectDrawTest::fill(LPDIRECTDRAWSURFACE surface, DWORD colour, RECT* rect) {
  DDBLTFX fx = {};
  fx.dwSize = sizeof fx;
  fx.dwFillColor = colour;
  return surface->Blt(rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}
