// The COM objects of the DirectDraw subset and the one display they share.
//
// Every object ever made stays allocated until the process ends: a
// released object turns into an inert zombie that answers every call with
// DDERR_INVALIDOBJECT (Release with 0), so a stale pointer is never a
// use-after-free. A zombie keeps only its few fields; its pixels are freed.
#ifndef KELVANE_PLATFORM_DIRECT_DRAW_OBJECTS_H
#define KELVANE_PLATFORM_DIRECT_DRAW_OBJECTS_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/host.h"
#include "platform/gdi/palette.h"
#include "platform/win32.h"

namespace platform {

class DirectDrawObject;
class FlipSurface;

// A palette of 256 colours made by CreatePalette; attached to a surface,
// its colours are those of the surface's device context.
class PaletteObject final : public IDirectDrawPalette {
 public:
  PaletteObject(std::string name, const DirectDrawObject* owner, const Palette& colours)
      : name_(std::move(name)), owner_(owner), colours_(colours) {}

  ULONG STDMETHODCALLTYPE Release() override;

  const std::string& name() const { return name_; }
  bool alive() const { return alive_; }
  const DirectDrawObject* owner() const { return owner_; }
  const Palette& colours() const { return colours_; }
  void addRef() { ++refs_; }
  void end() { alive_ = false, refs_ = 0; }

 private:
  std::string name_;
  const DirectDrawObject* owner_;
  Palette colours_;  // kept by a zombie too: a device context may still use them
  ULONG refs_ = 1;
  bool alive_ = true;
};

class DirectDrawObject final : public IDirectDraw {
 public:
  explicit DirectDrawObject(std::string name) : name_(std::move(name)) {}

  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreatePalette(DWORD dwFlags, PALETTEENTRY* lpDDColorArray,
                                          LPDIRECTDRAWPALETTE FAR* lplpDDPalette, IUnknown FAR* pUnkOuter) override;
  HRESULT STDMETHODCALLTYPE CreateSurface(LPDDSURFACEDESC lpDDSurfaceDesc, LPDIRECTDRAWSURFACE FAR* lplpDDSurface,
                                          IUnknown FAR* pUnkOuter) override;
  HRESULT STDMETHODCALLTYPE RestoreDisplayMode() override;
  HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND hWnd, DWORD dwFlags) override;
  HRESULT STDMETHODCALLTYPE SetDisplayMode(DWORD dwWidth, DWORD dwHeight, DWORD dwBPP) override;

  const std::string& name() const { return name_; }
  bool alive() const { return alive_; }
  // Ends the object and every surface made from it.
  void end();
  void forgetPrimary() { primary_ = nullptr; }

 private:
  std::string name_;
  ULONG refs_ = 1;
  bool alive_ = true;
  bool levelSet_ = false;
  bool exclusive_ = false;
  FlipSurface* primary_ = nullptr;
};

// A surface of the flipping chain: the primary (front buffer) or the back
// buffer attached to it; or a plain off-screen surface, which neither
// flips nor is lost (it lives in system memory).
class FlipSurface final : public IDirectDrawSurface {
 public:
  FlipSurface(std::string name, DirectDrawObject* owner, FlipSurface* front);
  // An off-screen surface.
  FlipSurface(std::string name, DirectDrawObject* owner);

  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE Blt(LPRECT lpDestRect, LPDIRECTDRAWSURFACE lpDDSrcSurface, LPRECT lpSrcRect,
                                DWORD dwFlags, LPDDBLTFX lpDDBltFx) override;
  HRESULT STDMETHODCALLTYPE Flip(LPDIRECTDRAWSURFACE lpDDSurfaceTargetOverride, DWORD dwFlags) override;
  HRESULT STDMETHODCALLTYPE GetAttachedSurface(LPDDSCAPS lpDDSCaps,
                                               LPDIRECTDRAWSURFACE FAR* lplpDDAttachedSurface) override;
  HRESULT STDMETHODCALLTYPE GetDC(HDC FAR* lphDC) override;
  HRESULT STDMETHODCALLTYPE Lock(LPRECT lpDestRect, LPDDSURFACEDESC lpDDSurfaceDesc, DWORD dwFlags,
                                 HANDLE hEvent) override;
  HRESULT STDMETHODCALLTYPE ReleaseDC(HDC hDC) override;
  HRESULT STDMETHODCALLTYPE Restore() override;
  // Off-screen surfaces only: the mode's own palette stays as it is.
  HRESULT STDMETHODCALLTYPE SetPalette(LPDIRECTDRAWPALETTE lpDDPalette) override;
  HRESULT STDMETHODCALLTYPE Unlock(void* lpSurfaceData) override;

  const std::string& name() const { return name_; }
  bool alive() const { return alive_; }
  const std::uint8_t* pixels() const { return pixels_.data(); }
  FlipSurface* back() const { return back_; }
  DirectDrawObject* owner() const { return owner_; }
  // Ends this surface; a primary ends its back buffer with it.
  void end();
  // Loses this surface and the rest of its chain.
  void lose();

 private:
  bool isPrimary() const { return front_ == nullptr && !offscreen_; }
  DWORD caps() const;

  std::string name_;
  DirectDrawObject* owner_;
  FlipSurface* front_;  // the primary a back buffer is attached to
  bool offscreen_ = false;
  FlipSurface* back_ = nullptr;
  ULONG refs_ = 1;  // a back buffer's first reference is its chain's
  bool alive_ = true;
  bool lost_ = false;
  std::vector<std::uint8_t> pixels_;
  HDC dc_ = nullptr;
  bool locked_ = false;
  PaletteObject* palette_ = nullptr;  // attached by SetPalette, holding one reference
  // A device context out or a lock held: Blt and Flip wait for its end.
  bool busy() const { return dc_ != nullptr || locked_; }
};

// The one display every DirectDraw object shares.
struct Display {
  DirectDrawObject* exclusiveOwner = nullptr;
  DirectDrawObject* modeOwner = nullptr;  // set the 640 x 480 x 8 mode
  FlipSurface* primary = nullptr;  // the live flipping chain
  // The mode's default palette: the subset has no call that changes it.
  const Palette* palette = &defaultPalette();
  int directDrawCount = 0;
  int surfaceCount = 0;
  int paletteCount = 0;
  std::vector<std::unique_ptr<DirectDrawObject>> directDraws;
  std::vector<std::unique_ptr<FlipSurface>> surfaces;
  std::vector<std::unique_ptr<PaletteObject>> palettes;
};

Display& display();

}  // namespace platform

#endif
