// The surfaces of the flipping chain. A back buffer's first reference
// belongs to its chain: it ends when the primary does, whatever the program
// still holds. GetDC works as a lock does, so while a surface's device
// context is out or it is locked, Blt and Flip answer DDERR_SURFACEBUSY and
// its pixels stay where they are.
#include <algorithm>
#include <cstring>

#include "platform/ddraw/direct_draw_objects.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/trace/call_format.h"
#include "platform/trace/trace.h"
#include "platform/user/user_focus.h"

namespace platform {
namespace {

constexpr std::size_t kPixelCount = std::size_t(kScreenWidth) * kScreenHeight;
constexpr DWORD kPrimaryCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FRONTBUFFER | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
constexpr DWORD kBackCaps = DDSCAPS_BACKBUFFER | DDSCAPS_FLIP | DDSCAPS_COMPLEX;

std::string rectText(const RECT* rect) {
  if (!rect) return "NULL";
  return "{" + std::to_string(rect->left) + "," + std::to_string(rect->top) + "," + std::to_string(rect->right) +
         "," + std::to_string(rect->bottom) + "}";
}

std::string fxText(const DDBLTFX* fx) {
  if (!fx) return "NULL";
  return "{size=" + std::to_string(fx->dwSize) + ",fill=" + std::to_string(fx->dwFillColor) + "}";
}

// Looked up rather than dereferenced: the pointer may be anything.
std::string surfaceText(const IDirectDrawSurface* surface) {
  for (const auto& known : display().surfaces) {
    if (known.get() == surface) return known->name();
  }
  return handleText(surface);
}

bool insideScreen(const RECT& rect) {
  return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom &&
         rect.right <= kScreenWidth && rect.bottom <= kScreenHeight;
}

}  // namespace

FlipSurface::FlipSurface(std::string name, DirectDrawObject* owner, FlipSurface* front)
    : name_(std::move(name)), owner_(owner), front_(front), pixels_(kPixelCount, 0) {
  if (front_) front_->back_ = this;
}

FlipSurface::FlipSurface(std::string name, DirectDrawObject* owner) : FlipSurface(std::move(name), owner, nullptr) {
  offscreen_ = true;
}

DWORD FlipSurface::caps() const {
  if (offscreen_) return DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
  return isPrimary() ? kPrimaryCaps : kBackCaps;
}

void FlipSurface::end() {
  if (!alive_) return;
  alive_ = false;
  refs_ = 0;
  if (dc_) deleteDeviceContext(dc_);
  dc_ = nullptr;
  locked_ = false;
  if (palette_) palette_->Release();
  palette_ = nullptr;
  std::vector<std::uint8_t>().swap(pixels_);
  if (isPrimary()) {
    if (back_) back_->end();
    owner_->forgetPrimary();
    if (display().primary == this) display().primary = nullptr;
  } else if (front_) {
    front_->back_ = nullptr;
  }
}

void FlipSurface::lose() {
  if (!alive_ || offscreen_) return;
  lost_ = true;
  if (isPrimary() && back_) back_->lose();
}

ULONG FlipSurface::Release() {
  // Release cannot fail, so an armed fault has nothing to change.
  traceCall("Release", name_);
  if (!alive_) return 0;
  if (--refs_ == 0) end();
  return refs_;
}

HRESULT FlipSurface::GetAttachedSurface(LPDDSCAPS lpDDSCaps, LPDIRECTDRAWSURFACE FAR* lplpDDAttachedSurface) {
  if (traceCall("GetAttachedSurface", [&] {
        return joinArgs({name_, lpDDSCaps ? "{caps=" + hexText(lpDDSCaps->dwCaps) + "}" : "NULL",
                         lplpDDAttachedSurface ? "&surface" : "NULL"});
      })) {
    if (lplpDDAttachedSurface) *lplpDDAttachedSurface = nullptr;
    return DDERR_GENERIC;
  }
  if (!lpDDSCaps || !lplpDDAttachedSurface) return DDERR_INVALIDPARAMS;
  *lplpDDAttachedSurface = nullptr;
  if (!alive_) return DDERR_INVALIDOBJECT;
  if (!back_ || (back_->caps() & lpDDSCaps->dwCaps) != lpDDSCaps->dwCaps) return DDERR_NOTFOUND;
  ++back_->refs_;
  *lplpDDAttachedSurface = back_;
  return DD_OK;
}

// Only colour fills: the surface is 8 bits deep, so the fill value's low
// byte is the palette index.
HRESULT FlipSurface::Blt(LPRECT lpDestRect, LPDIRECTDRAWSURFACE lpDDSrcSurface, LPRECT lpSrcRect, DWORD dwFlags,
                         LPDDBLTFX lpDDBltFx) {
  if (traceCall("Blt", [&] {
        return joinArgs({name_, rectText(lpDestRect), surfaceText(lpDDSrcSurface), rectText(lpSrcRect),
                         hexText(dwFlags), fxText(lpDDBltFx)});
      })) {
    return DDERR_GENERIC;
  }
  if (!alive_) return DDERR_INVALIDOBJECT;
  if (!(dwFlags & DDBLT_COLORFILL) || lpDDSrcSurface || lpSrcRect) return DDERR_UNSUPPORTED;
  if (!lpDDBltFx || lpDDBltFx->dwSize != sizeof(DDBLTFX)) return DDERR_INVALIDPARAMS;
  if (lost_) return DDERR_SURFACELOST;
  if (busy()) return DDERR_SURFACEBUSY;
  const RECT whole{0, 0, kScreenWidth, kScreenHeight};
  const RECT& rect = lpDestRect ? *lpDestRect : whole;
  if (!insideScreen(rect)) return DDERR_INVALIDRECT;
  const auto index = static_cast<std::uint8_t>(lpDDBltFx->dwFillColor & 0xFF);
  const std::size_t width = static_cast<std::size_t>(rect.right - rect.left);
  if (width == std::size_t(kScreenWidth)) {
    std::memset(pixels_.data() + std::size_t(rect.top) * kScreenWidth, index,
                width * static_cast<std::size_t>(rect.bottom - rect.top));
    return DD_OK;
  }
  for (LONG y = rect.top; y < rect.bottom; ++y) {
    std::memset(pixels_.data() + std::size_t(y) * kScreenWidth + rect.left, index, width);
  }
  return DD_OK;
}

// Swaps the two buffers, not their contents, and shows the new front.
HRESULT FlipSurface::Flip(LPDIRECTDRAWSURFACE lpDDSurfaceTargetOverride, DWORD dwFlags) {
  if (traceCall("Flip", [&] { return joinArgs({name_, surfaceText(lpDDSurfaceTargetOverride), hexText(dwFlags)}); })) {
    return DDERR_GENERIC;
  }
  if (!alive_) return DDERR_INVALIDOBJECT;
  if (!isPrimary() || !back_) return DDERR_NOTFLIPPABLE;
  if (lpDDSurfaceTargetOverride && lpDDSurfaceTargetOverride != back_) return DDERR_INVALIDPARAMS;
  if (lost_ || back_->lost_) return DDERR_SURFACELOST;
  if (busy() || back_->busy()) return DDERR_SURFACEBUSY;
  pixels_.swap(back_->pixels_);
  if (hasHost()) host().present(pixels_.data(), *display().palette);
  return DD_OK;
}

HRESULT FlipSurface::GetDC(HDC FAR* lphDC) {
  if (traceCall("GetDC", [&] { return joinArgs({name_, lphDC ? "&dc" : "NULL"}); })) {
    if (lphDC) *lphDC = nullptr;
    return DDERR_CANTCREATEDC;
  }
  if (!lphDC) return DDERR_INVALIDPARAMS;
  *lphDC = nullptr;
  if (!alive_) return DDERR_INVALIDOBJECT;
  if (dc_) return DDERR_DCALREADYCREATED;
  if (locked_) return DDERR_SURFACEBUSY;
  if (lost_) return DDERR_SURFACELOST;
  dc_ = createDeviceContext(Canvas{pixels_.data(), kScreenWidth, kScreenHeight, kScreenWidth},
                            palette_ ? &palette_->colours() : display().palette);
  *lphDC = dc_;
  return DD_OK;
}

HRESULT FlipSurface::ReleaseDC(HDC hDC) {
  if (traceCall("ReleaseDC", [&] { return joinArgs({name_, gdiHandleText(hDC)}); })) return DDERR_GENERIC;
  if (!alive_) return DDERR_INVALIDOBJECT;
  if (!dc_) return DDERR_NODC;
  if (hDC != dc_) return DDERR_INVALIDPARAMS;
  deleteDeviceContext(dc_);
  dc_ = nullptr;
  return DD_OK;
}

// The whole surface only, for reading or writing its pixels in place.
HRESULT FlipSurface::Lock(LPRECT lpDestRect, LPDDSURFACEDESC lpDDSurfaceDesc, DWORD dwFlags, HANDLE hEvent) {
  if (traceCall("Lock", [&] {
        return joinArgs({name_, rectText(lpDestRect), lpDDSurfaceDesc ? "&desc" : "NULL", std::to_string(dwFlags),
                         hEvent ? "&event" : "NULL"});
      })) {
    return DDERR_GENERIC;
  }
  if (!alive_) return DDERR_INVALIDOBJECT;
  if (!lpDDSurfaceDesc || lpDDSurfaceDesc->dwSize != sizeof(DDSURFACEDESC) || lpDestRect) return DDERR_INVALIDPARAMS;
  if (busy()) return DDERR_SURFACEBUSY;
  if (lost_) return DDERR_SURFACELOST;
  lpDDSurfaceDesc->dwFlags = DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_LPSURFACE;
  lpDDSurfaceDesc->dwWidth = kScreenWidth;
  lpDDSurfaceDesc->dwHeight = kScreenHeight;
  lpDDSurfaceDesc->lPitch = kScreenWidth;
  lpDDSurfaceDesc->lpSurface = pixels_.data();
  locked_ = true;
  return DD_OK;
}

HRESULT FlipSurface::Unlock(void* lpSurfaceData) {
  if (traceCall("Unlock", [&] { return joinArgs({name_, lpSurfaceData ? "&pixels" : "NULL"}); })) {
    return DDERR_GENERIC;
  }
  if (!alive_) return DDERR_INVALIDOBJECT;
  if (!locked_) return DDERR_NOTLOCKED;
  locked_ = false;
  return DD_OK;
}

// Restoring the primary restores its back buffer; the back buffer cannot
// be restored on its own. Restored memory holds nothing worth keeping, so
// it is cleared. In the background the mode is not the program's, so
// nothing can be restored there.
HRESULT FlipSurface::Restore() {
  if (traceCall("Restore", name_)) return DDERR_GENERIC;
  if (!alive_) return DDERR_INVALIDOBJECT;
  if (offscreen_) return DD_OK;
  if (!isPrimary()) return DDERR_IMPLICITLYCREATED;
  const bool chainLost = lost_ || (back_ && back_->lost_);
  if (!chainLost) return DD_OK;
  const Display& screen = display();
  if (screen.modeOwner != owner_ || (!programInForeground() && screen.exclusiveOwner == owner_)) return DDERR_WRONGMODE;
  for (FlipSurface* surface : {this, back_}) {
    if (!surface) continue;
    surface->lost_ = false;
    std::fill(surface->pixels_.begin(), surface->pixels_.end(), 0);
  }
  return DD_OK;
}

}  // namespace platform
