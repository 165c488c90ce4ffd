// The Viewer's construction, tear-down and frame cycle.
#include "display/viewer.h"

#include <cstdio>

#include "display/drag_control.h"
#include "display/picture_palette.h"
#include "display/window_fit.h"
#include "geometry/transform.h"

Viewer* currentViewer = nullptr;

namespace {

constexpr DWORD kScreenWidth = 640;
constexpr DWORD kScreenHeight = 480;
constexpr DWORD kBitsPerPixel = 8;

// DDBLT_WAIT already waits out a busy blitter, so an error that survives
// this many fills in a row will not go away by itself.
constexpr int kClearAttempts = 32;

// The camera looks from (0, 0, 5) at the origin through a 50 mm lens on a
// 36 x 24 frame, whose diagonal is given here.
constexpr int kFocalLength = 50;
constexpr float kFrameDiagonal = 43.266617f;

void reportFailure(const char* call, HRESULT result, const char* consequence) {
  std::fprintf(stderr, "kelvane: DirectDraw %s failed with HRESULT 0x%08lX; %s\n", call,
               static_cast<unsigned long>(static_cast<DWORD>(result)), consequence);
}

bool succeeded(const char* call, HRESULT result) {
  if (result == DD_OK) return true;
  reportFailure(call, result, "the display could not be set up");
  return false;
}

}  // namespace

Viewer::Viewer(HWND window_, DragControl* trackball_, const BspTree* scene_, bool inWindow)
    : camera(Point3(0, 0, 5, 1), originPoint, fieldOfView(kFocalLength, kFrameDiagonal)),
      trackball(trackball_),
      scene(scene_),
      centreX(0),
      centreY(0),
      scale(0),
      window(nullptr),
      directDraw(nullptr),
      primary(nullptr),
      backBuffer(nullptr),
      dc(nullptr) {
  modelRotation = identityMatrix;
  modelInverse = identityMatrix;
  eyeInModel = camera.eye;
  window = window_;
  windowed = inWindow;
  setUpDisplay();
  // Set even after a failed set-up, so that the mappings of a partial Viewer
  // are still defined.
  centreX = 320;
  centreY = 240;
  scale = 240;
}

// Stops at the first failing call; what was made before it stays for the
// destructor to release.
bool Viewer::setUpDisplay() {
  if (!succeeded("DirectDrawCreate", DirectDrawCreate(nullptr, &directDraw, nullptr))) {
    directDraw = nullptr;
    return false;
  }
  return windowed ? setUpWindow() : setUpScreen();
}

bool Viewer::setUpScreen() {
  if (!succeeded("SetCooperativeLevel",
                 directDraw->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN))) {
    return false;
  }
  if (!succeeded("SetDisplayMode", directDraw->SetDisplayMode(kScreenWidth, kScreenHeight, kBitsPerPixel))) {
    return false;
  }
  DDSURFACEDESC description = {};
  description.dwSize = sizeof(description);
  description.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  description.dwBackBufferCount = 1;
  description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
  if (!succeeded("CreateSurface", directDraw->CreateSurface(&description, &primary, nullptr))) {
    primary = nullptr;
    return false;
  }
  DDSCAPS caps = {};
  caps.dwCaps = DDSCAPS_BACKBUFFER;
  if (succeeded("GetAttachedSurface", primary->GetAttachedSurface(&caps, &backBuffer))) return true;
  backBuffer = nullptr;
  return false;
}

namespace {

// Which colours GDI gives an 8-bit surface's pixels on a true-colour
// desktop is left open while it has no palette, so it gets the picture's.
// The surface holds the palette's only reference from then on.
bool attachPalette(IDirectDraw* directDraw, IDirectDrawSurface* surface) {
  PictureColours colours = pictureColours();
  IDirectDrawPalette* palette = nullptr;
  if (!succeeded("CreatePalette",
                 directDraw->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, colours.data(), &palette, nullptr))) {
    return false;
  }
  const bool attached = succeeded("SetPalette", surface->SetPalette(palette));
  palette->Release();
  return attached;
}

}  // namespace

// A window shares the desktop, whose true-colour format a plain Blt cannot
// turn 8-bit pixels into, so the picture is drawn on an 8-bit surface of
// its own and GDI stretches it into the client area (presentInWindow).
bool Viewer::setUpWindow() {
  if (!succeeded("SetCooperativeLevel", directDraw->SetCooperativeLevel(window, DDSCL_NORMAL))) return false;
  DDSURFACEDESC description = {};
  description.dwSize = sizeof(description);
  description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
  description.dwWidth = kScreenWidth;
  description.dwHeight = kScreenHeight;
  description.ddpfPixelFormat.dwSize = sizeof(description.ddpfPixelFormat);
  description.ddpfPixelFormat.dwFlags = DDPF_RGB | DDPF_PALETTEINDEXED8;
  description.ddpfPixelFormat.dwRGBBitCount = kBitsPerPixel;
  description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
  if (!succeeded("CreateSurface", directDraw->CreateSurface(&description, &backBuffer, nullptr))) {
    backBuffer = nullptr;
    return false;
  }
  return attachPalette(directDraw, backBuffer);
}

void Viewer::releaseDisplay() {
  releaseSurfaces();
  if (directDraw != nullptr && !windowed) directDraw->RestoreDisplayMode();
}

bool Viewer::takeDisplay(bool inWindow) {
  windowed = inWindow;
  skippedFrames = 0;
  if (directDraw == nullptr) return false;
  if (windowed ? setUpWindow() : setUpScreen()) return isComplete();
  return false;
}

IDirectDrawSurface* Viewer::shownSurface() const { return windowed ? backBuffer : primary; }

Viewer::~Viewer() {
  releaseSurfaces();
  if (directDraw != nullptr) {
    directDraw->RestoreDisplayMode();
    directDraw->Release();
  }
  delete trackball;
}

// The back buffer goes before the primary it is attached to, and a device
// context still out goes back before its surface.
void Viewer::releaseSurfaces() {
  giveBackDC();
  dc = nullptr;
  if (backBuffer != nullptr) backBuffer->Release();
  backBuffer = nullptr;
  if (primary != nullptr) primary->Release();
  primary = nullptr;
}

bool Viewer::isComplete() const {
  return trackball != nullptr && directDraw != nullptr && shownSurface() != nullptr && backBuffer != nullptr;
}

HRESULT Viewer::fillBackBuffer() {
  RECT rectangle = {0, 0, static_cast<LONG>(kScreenWidth), static_cast<LONG>(kScreenHeight)};
  DDBLTFX fx = {};
  fx.dwSize = sizeof(fx);
  fx.dwFillColor = 0;
  return backBuffer->Blt(&rectangle, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

bool Viewer::clearBackBuffer() {
  if (!isComplete()) return false;
  HRESULT result = DD_OK;
  for (int attempt = 0; attempt < kClearAttempts; ++attempt) {
    result = fillBackBuffer();
    if (result == DDERR_SURFACELOST) {
      // Restoring the primary restores the whole flipping chain. If the
      // surfaces are still lost (the program is not in front), taking the
      // device context fails and the frame is skipped.
      shownSurface()->Restore();
      fillBackBuffer();
      return true;
    }
    if (result == DD_OK) return true;
  }
  reportFailure("Blt (clearing the back buffer)", result, "the display is given up");
  return false;
}

// A surface lost since the clear is restored once more; restored memory
// holds nothing worth keeping, so it is filled again before it is drawn on.
HRESULT Viewer::takeDC() {
  HRESULT result = backBuffer->GetDC(&dc);
  if (result == DDERR_SURFACELOST && shownSurface()->Restore() == DD_OK) {
    fillBackBuffer();
    result = backBuffer->GetDC(&dc);
  }
  if (result != DD_OK) dc = nullptr;
  return result;
}

// While a device context is out the surface is locked: it can be neither
// filled nor flipped.
HRESULT Viewer::giveBackDC() {
  if (dc == nullptr || backBuffer == nullptr) return DD_OK;
  const HRESULT result = backBuffer->ReleaseDC(dc);
  if (result == DD_OK) dc = nullptr;
  return result;
}

bool Viewer::skipFrame(const char* call, HRESULT result) {
  if (++skippedFrames < kFrameAttempts) return false;
  reportFailure(call, result, "the display is given up");
  releaseSurfaces();
  return false;
}

bool Viewer::beginFrame() {
  if (!isComplete()) return false;
  HRESULT result = giveBackDC();
  if (result != DD_OK) return skipFrame("ReleaseDC", result);
  if (!clearBackBuffer()) {
    releaseSurfaces();
    return false;
  }
  result = takeDC();
  if (result != DD_OK) return skipFrame("GetDC", result);
  skippedFrames = 0;
  currentViewer = this;
  return true;
}

void Viewer::endFrame() {
  currentViewer = nullptr;
  if (windowed) {
    presentInWindow();
    giveBackDC();
    return;
  }
  if (giveBackDC() == DD_OK) primary->Flip(nullptr, DDFLIP_WAIT);
}

// The picture at the largest whole-number scale the client area holds,
// centred, black around it; GDI turns its palette indices into the
// desktop's colours on the way.
void Viewer::presentInWindow() {
  RECT client = {};
  if (!GetClientRect(window, &client)) return;
  HDC target = GetDC(window);
  if (target == nullptr) return;
  const PictureFit fit = fitPicture(client.right, client.bottom);
  for (const RECT& bar : barsAround(fit, client.right, client.bottom)) {
    PatBlt(target, bar.left, bar.top, bar.right - bar.left, bar.bottom - bar.top, BLACKNESS);
  }
  SetStretchBltMode(target, COLORONCOLOR);
  StretchBlt(target, fit.left, fit.top, fit.width, fit.height, dc, 0, 0, kScreenWidth, kScreenHeight, SRCCOPY);
  ReleaseDC(window, target);
}

void Viewer::drawPlainFrame() {
  if (!beginFrame()) return;
  drawScene();
  drawOverlays();
  endFrame();
}
