// A window, a headless host and DirectDraw set up as the program sets it
// up: exclusive full-screen level, 640 x 480 x 8, a primary with its back
// buffer.
#ifndef KELVANE_TESTS_PLATFORM_DIRECT_DRAW_FIXTURE_H
#define KELVANE_TESTS_PLATFORM_DIRECT_DRAW_FIXTURE_H

#include "platform/direct_draw_state.h"
#include "user_fixture.h"

class DirectDrawTest : public UserTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Each step as the program takes it; every one must succeed.
  void createDirectDraw();
  void takeDisplay();
  void createSurfaces();

  static DDSURFACEDESC chainDescription();
  // A colour fill of `surface`, of the whole of it when `rect` is null.
  static HRESULT fill(LPDIRECTDRAWSURFACE surface, DWORD colour, RECT* rect = nullptr);

  platform::HeadlessHost* host = nullptr;
  HWND window = nullptr;
  LPDIRECTDRAW directDraw = nullptr;
  LPDIRECTDRAWSURFACE primary = nullptr;
  LPDIRECTDRAWSURFACE back = nullptr;
};

#endif
