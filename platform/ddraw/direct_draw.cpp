// DirectDrawCreate, the IDirectDraw object, and the display state they
// share. One display mode is provided, 640 x 480 x 8, and two kinds of
// surface: a primary with one back buffer, and a plain 640 x 480 x 8
// off-screen surface in system memory (what a program in a window draws
// on); everything else is refused with the error the real call gives.
#include <utility>

#include "platform/ddraw/direct_draw_objects.h"
#include "platform/ddraw/direct_draw_state.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/trace/trace.h"
#include "platform/trace/call_format.h"
#include "platform/user/user_focus.h"
#include "platform/user/user_windows.h"

namespace platform {
namespace {

constexpr DWORD kLevelFlags = DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_NOWINDOWCHANGES | DDSCL_NORMAL |
                              DDSCL_EXCLUSIVE;
constexpr DWORD kChainCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
constexpr DWORD kOffscreenCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
constexpr DWORD kOffscreenFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
constexpr DWORD kIndexedFormat = DDPF_RGB | DDPF_PALETTEINDEXED8;

bool isOffscreen(const DDSURFACEDESC& desc) { return desc.ddsCaps.dwCaps & DDSCAPS_OFFSCREENPLAIN; }

// The desktop's own format is not emulated, so the 8-bit format is named.
HRESULT checkOffscreen(const DDSURFACEDESC& desc) {
  if ((desc.dwFlags & kOffscreenFlags) != kOffscreenFlags) return DDERR_INVALIDPARAMS;
  if (desc.ddsCaps.dwCaps != kOffscreenCaps) return DDERR_INVALIDCAPS;
  const DDPIXELFORMAT& format = desc.ddpfPixelFormat;
  if (format.dwSize != sizeof(DDPIXELFORMAT)) return DDERR_INVALIDPARAMS;
  if (format.dwFlags != kIndexedFormat || format.dwRGBBitCount != 8) return DDERR_UNSUPPORTED;
  if (desc.dwWidth != kScreenWidth || desc.dwHeight != kScreenHeight) return DDERR_UNSUPPORTED;
  return DD_OK;
}

std::string descriptionText(const DDSURFACEDESC* desc) {
  if (!desc) return "NULL";
  return "{size=" + std::to_string(desc->dwSize) + ",flags=" + hexText(desc->dwFlags) +
         ",caps=" + hexText(desc->ddsCaps.dwCaps) + ",backbuffers=" + std::to_string(desc->dwBackBufferCount) + "}";
}

// Which surface description is refused, and with what; DD_OK for the one
// provided.
HRESULT checkDescription(const DDSURFACEDESC& desc) {
  if (desc.dwSize != sizeof(DDSURFACEDESC) || !(desc.dwFlags & DDSD_CAPS)) return DDERR_INVALIDPARAMS;
  if (isOffscreen(desc)) return checkOffscreen(desc);
  const DWORD caps = desc.ddsCaps.dwCaps;
  if (!(caps & DDSCAPS_PRIMARYSURFACE) || !(caps & DDSCAPS_FLIP)) return DDERR_UNSUPPORTED;
  if (caps != kChainCaps) return DDERR_INVALIDCAPS;
  if (!(desc.dwFlags & DDSD_BACKBUFFERCOUNT) || desc.dwBackBufferCount == 0) return DDERR_INVALIDPARAMS;
  if (desc.dwBackBufferCount > 1) return DDERR_UNSUPPORTED;
  return DD_OK;
}

template <class Object>
Object* keep(std::vector<std::unique_ptr<Object>>& store, std::unique_ptr<Object> object) {
  store.push_back(std::move(object));
  return store.back().get();
}

}  // namespace

Display& display() {
  static Display instance;
  return instance;
}

void DirectDrawObject::end() {
  if (!alive_) return;
  alive_ = false;
  refs_ = 0;
  if (primary_) primary_->end();
  Display& screen = display();
  // The off-screen surfaces and palettes made from it go with it.
  for (auto& surface : screen.surfaces) {
    if (surface->owner() == this) surface->end();
  }
  for (auto& palette : screen.palettes) {
    if (palette->owner() == this) palette->end();
  }
  if (screen.exclusiveOwner == this) screen.exclusiveOwner = nullptr;
  if (screen.modeOwner == this) screen.modeOwner = nullptr;
}

ULONG DirectDrawObject::Release() {
  // Release cannot fail, so an armed fault has nothing to change.
  traceCall("Release", name_);
  if (!alive_) return 0;
  if (--refs_ == 0) end();
  return refs_;
}

HRESULT DirectDrawObject::SetCooperativeLevel(HWND hWnd, DWORD dwFlags) {
  if (traceCall("SetCooperativeLevel", [&] { return joinArgs({name_, handleText(hWnd), hexText(dwFlags)}); })) {
    return DDERR_GENERIC;
  }
  if (!alive_) return DDERR_INVALIDOBJECT;
  const bool exclusive = dwFlags & DDSCL_EXCLUSIVE;
  const bool fullScreen = dwFlags & DDSCL_FULLSCREEN;
  const bool normal = dwFlags & DDSCL_NORMAL;
  if ((dwFlags & ~kLevelFlags) || exclusive != fullScreen || exclusive == normal) return DDERR_INVALIDPARAMS;
  if (exclusive && !isWindow(hWnd)) return DDERR_INVALIDPARAMS;
  Display& screen = display();
  if (exclusive && screen.exclusiveOwner && screen.exclusiveOwner != this) return DDERR_EXCLUSIVEMODEALREADYSET;
  levelSet_ = true;
  exclusive_ = exclusive;
  if (exclusive) {
    screen.exclusiveOwner = this;
  } else if (screen.exclusiveOwner == this) {
    screen.exclusiveOwner = nullptr;
  }
  return DD_OK;
}

HRESULT DirectDrawObject::SetDisplayMode(DWORD dwWidth, DWORD dwHeight, DWORD dwBPP) {
  if (traceCall("SetDisplayMode", [&] {
        return joinArgs({name_, std::to_string(dwWidth), std::to_string(dwHeight), std::to_string(dwBPP)});
      })) {
    return DDERR_GENERIC;
  }
  if (!alive_) return DDERR_INVALIDOBJECT;
  if (!exclusive_) return DDERR_NOEXCLUSIVEMODE;
  if (dwWidth != kScreenWidth || dwHeight != kScreenHeight || dwBPP != 8) return DDERR_INVALIDMODE;
  display().modeOwner = this;
  return DD_OK;
}

HRESULT DirectDrawObject::CreateSurface(LPDDSURFACEDESC lpDDSurfaceDesc, LPDIRECTDRAWSURFACE FAR* lplpDDSurface,
                                        IUnknown FAR* pUnkOuter) {
  if (traceCall("CreateSurface", [&] {
        return joinArgs(
            {name_, descriptionText(lpDDSurfaceDesc), lplpDDSurface ? "&surface" : "NULL", handleText(pUnkOuter)});
      })) {
    if (lplpDDSurface) *lplpDDSurface = nullptr;
    return DDERR_OUTOFMEMORY;
  }
  if (!lplpDDSurface || !lpDDSurfaceDesc) return DDERR_INVALIDPARAMS;
  *lplpDDSurface = nullptr;
  if (!alive_) return DDERR_INVALIDOBJECT;
  if (pUnkOuter) return CLASS_E_NOAGGREGATION;
  if (HRESULT refused = checkDescription(*lpDDSurfaceDesc); refused != DD_OK) return refused;
  if (!levelSet_) return DDERR_NOCOOPERATIVELEVELSET;
  Display& screen = display();
  if (isOffscreen(*lpDDSurfaceDesc)) {
    *lplpDDSurface = keep(screen.surfaces, std::make_unique<FlipSurface>(
                                               "surface" + std::to_string(++screen.surfaceCount), this));
    return DD_OK;
  }
  if (!exclusive_) return DDERR_NOEXCLUSIVEMODE;
  if (primary_) return DDERR_PRIMARYSURFACEALREADYEXISTS;
  // Only the 8-bit mode is emulated; the desktop's own mode is not.
  if (screen.modeOwner == nullptr) return DDERR_UNSUPPORTEDMODE;
  primary_ = keep(screen.surfaces,
                  std::make_unique<FlipSurface>("surface" + std::to_string(++screen.surfaceCount), this, nullptr));
  keep(screen.surfaces,
       std::make_unique<FlipSurface>("surface" + std::to_string(++screen.surfaceCount), this, primary_));
  screen.primary = primary_;
  *lplpDDSurface = primary_;
  return DD_OK;
}

// Leaving the mode loses the surfaces that were made for it.
HRESULT DirectDrawObject::RestoreDisplayMode() {
  if (traceCall("RestoreDisplayMode", name_)) return DDERR_GENERIC;
  if (!alive_) return DDERR_INVALIDOBJECT;
  Display& screen = display();
  if (screen.modeOwner == this) {
    screen.modeOwner = nullptr;
    if (screen.primary) screen.primary->lose();
  }
  return DD_OK;
}

void directDrawFocusChanged(bool active) {
  Display& screen = display();
  if (!active && screen.primary && screen.primary->owner() == screen.exclusiveOwner) screen.primary->lose();
}

void loseSurfacesNow() {
  if (display().primary) display().primary->lose();
}

const std::uint8_t* frontPixels() { return display().primary ? display().primary->pixels() : nullptr; }

const std::uint8_t* backPixels() {
  const FlipSurface* primary = display().primary;
  return primary && primary->back() ? primary->back()->pixels() : nullptr;
}

const Palette& displayPalette() { return *display().palette; }

void resetDirectDraw() {
  Display& screen = display();
  for (auto& directDraw : screen.directDraws) directDraw->end();
  for (auto& surface : screen.surfaces) surface->end();
  screen.exclusiveOwner = nullptr;
  screen.modeOwner = nullptr;
  screen.primary = nullptr;
  screen.directDrawCount = 0;
  screen.surfaceCount = 0;
  resetGdiObjects();
}

}  // namespace platform

// The default device only: the two special values DDCREATE_HARDWAREONLY
// and DDCREATE_EMULATIONONLY name it too, any real GUID names a driver that
// does not exist here.
HRESULT WINAPI DirectDrawCreate(GUID FAR* lpGUID, LPDIRECTDRAW FAR* lplpDD, IUnknown FAR* pUnkOuter) {
  using namespace platform;
  if (traceCall("DirectDrawCreate", [&] {
        return joinArgs({handleText(lpGUID), lplpDD ? "&directDraw" : "NULL", handleText(pUnkOuter)});
      })) {
    if (lplpDD) *lplpDD = nullptr;
    return DDERR_GENERIC;
  }
  if (!lplpDD) return DDERR_INVALIDPARAMS;
  *lplpDD = nullptr;
  if (pUnkOuter) return CLASS_E_NOAGGREGATION;
  if (reinterpret_cast<std::uintptr_t>(lpGUID) > 2) return DDERR_INVALIDDIRECTDRAWGUID;
  // Focus loss and an injected mode change reach DirectDraw from here on;
  // before its first object there are no surfaces to lose.
  setForegroundListener(directDrawFocusChanged);
  setFaultHook(kLoseSurfaces, loseSurfacesNow);
  Display& screen = display();
  *lplpDD = keep(screen.directDraws,
                 std::make_unique<DirectDrawObject>("ddraw" + std::to_string(++screen.directDrawCount)));
  return DD_OK;
}
