// DirectDraw palettes: CreatePalette copies 256 colours into a palette
// object, SetPalette attaches it to an off-screen surface, whose device
// context then turns colours into indices of it, and whose pixels GDI
// shows through it. As in DirectDraw, a surface holds one reference to its
// palette from the first SetPalette until it is detached (NULL), another
// is attached, or the surface ends.
#include "platform/ddraw/direct_draw_objects.h"
#include "platform/trace/call_format.h"
#include "platform/trace/trace.h"

namespace platform {
namespace {

// Looked up rather than dereferenced: the pointer may be anything.
PaletteObject* findPalette(const IDirectDrawPalette* palette) {
  for (const auto& known : display().palettes) {
    if (known.get() == palette) return known.get();
  }
  return nullptr;
}

std::string paletteText(const IDirectDrawPalette* palette) {
  const PaletteObject* known = findPalette(palette);
  return known ? known->name() : handleText(palette);
}

}  // namespace

ULONG PaletteObject::Release() {
  traceCall("Release", name_);
  if (!alive_) return 0;
  if (--refs_ == 0) end();
  return refs_;
}

// Only the 256-entry palettes of the 8-bit mode.
HRESULT DirectDrawObject::CreatePalette(DWORD dwFlags, PALETTEENTRY* lpDDColorArray,
                                        LPDIRECTDRAWPALETTE FAR* lplpDDPalette, IUnknown FAR* pUnkOuter) {
  if (traceCall("CreatePalette", [&] {
        return joinArgs({name_, hexText(dwFlags), lpDDColorArray ? "&colours" : "NULL",
                         lplpDDPalette ? "&palette" : "NULL", handleText(pUnkOuter)});
      })) {
    if (lplpDDPalette) *lplpDDPalette = nullptr;
    return DDERR_OUTOFMEMORY;
  }
  if (!lplpDDPalette || !lpDDColorArray) return DDERR_INVALIDPARAMS;
  *lplpDDPalette = nullptr;
  if (!alive_) return DDERR_INVALIDOBJECT;
  if (pUnkOuter) return CLASS_E_NOAGGREGATION;
  if (!(dwFlags & DDPCAPS_8BIT)) return DDERR_INVALIDPARAMS;
  if (!levelSet_) return DDERR_NOCOOPERATIVELEVELSET;
  Palette colours{};
  for (std::size_t i = 0; i < colours.size(); ++i) {
    colours[i] = Rgb{lpDDColorArray[i].peRed, lpDDColorArray[i].peGreen, lpDDColorArray[i].peBlue};
  }
  Display& screen = display();
  screen.palettes.push_back(
      std::make_unique<PaletteObject>("palette" + std::to_string(++screen.paletteCount), this, colours));
  *lplpDDPalette = screen.palettes.back().get();
  return DD_OK;
}

HRESULT FlipSurface::SetPalette(LPDIRECTDRAWPALETTE lpDDPalette) {
  if (traceCall("SetPalette", [&] { return joinArgs({name_, paletteText(lpDDPalette)}); })) return DDERR_GENERIC;
  if (!alive_) return DDERR_INVALIDOBJECT;
  if (!offscreen_) return DDERR_UNSUPPORTED;
  if (dc_) return DDERR_SURFACEBUSY;
  PaletteObject* palette = nullptr;
  if (lpDDPalette) {
    palette = findPalette(lpDDPalette);
    if (!palette || !palette->alive() || palette->owner() != owner_) return DDERR_INVALIDOBJECT;
  } else if (!palette_) {
    return DDERR_NOPALETTEATTACHED;
  }
  if (palette == palette_) return DD_OK;
  if (palette) palette->addRef();
  if (palette_) palette_->Release();
  palette_ = palette;
  return DD_OK;
}

}  // namespace platform
