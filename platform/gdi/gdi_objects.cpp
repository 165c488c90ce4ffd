// Objects live in one table keyed by handle value. A handle is its object's
// serial number (per kind, never reused until a reset) shifted left by two,
// with the kind in the low bits, so a handle of the wrong kind or one that
// was deleted is never mistaken for a live object. Pens and brushes count
// the device contexts they are selected into: a selected object cannot be
// deleted. The stock black pen and white brush are the defaults of every
// new device context and are never deleted; so are the two stock fixed
// fonts, the system one being a new context's font.
#include "platform/gdi/gdi_objects.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

#include "platform/gdi/fixed_font.h"
#include "platform/gdi/palette.h"
#include "platform/trace/trace.h"
#include "platform/trace/call_format.h"

namespace platform {
namespace {

enum class Kind : std::uintptr_t { Font = 0, DeviceContext = 1, Pen = 2, Brush = 3 };

struct GdiObject {
  Kind kind;
  std::uintptr_t serial;
  bool stock = false;
  int selections = 0;
  COLORREF colour = 0;
  bool draws = true;  // pens: false for PS_NULL
  const FixedFont* font = nullptr;
  DeviceContext dc{};
};

constexpr int kPenStyleMask = 0x0F;
constexpr int kPenStyleNull = 5;  // PS_NULL
constexpr int kPenStyleInsideFrame = 6;  // PS_INSIDEFRAME
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr std::size_t kSpareNodes = 16;

struct GdiTable {
  using Objects = std::map<std::uintptr_t, GdiObject>;

  Objects objects;
  // Map nodes of deleted objects, for add to reuse: drawing makes and
  // deletes a brush per polygon, and this keeps that off the heap.
  std::vector<Objects::node_type> spareNodes;
  // Serial 0 is the stock pen's and brush's; a font handle is its serial
  // alone, so fonts start at 1.
  std::uintptr_t nextSerial[4] = {1, 1, 1, 1};
  std::uintptr_t blackPen = 0;
  std::uintptr_t whiteBrush = 0;
  std::uintptr_t systemFixedFont = 0;
  std::uintptr_t ansiFixedFont = 0;

  GdiTable() {
    spareNodes.reserve(kSpareNodes);
    blackPen = add(Kind::Pen, kBlack, true);
    whiteBrush = add(Kind::Brush, kWhite, true);
    systemFixedFont = addFont(&kSystemFixedFont);
    ansiFixedFont = addFont(&kAnsiFixedFont);
  }

  std::uintptr_t addFont(const FixedFont* font) {
    const std::uintptr_t handle = add(Kind::Font, 0);
    objects[handle].stock = true;
    objects[handle].font = font;
    return handle;
  }

  std::uintptr_t add(Kind kind, COLORREF colour, bool stock = false) {
    std::uintptr_t serial = stock ? 0 : nextSerial[static_cast<int>(kind)]++;
    std::uintptr_t handle = (serial << 2) | static_cast<std::uintptr_t>(kind);
    GdiObject object{kind, serial};
    object.stock = stock;
    object.colour = colour;
    if (spareNodes.empty()) {
      objects.emplace(handle, object);
    } else {
      Objects::node_type node = std::move(spareNodes.back());
      spareNodes.pop_back();
      node.key() = handle;
      node.mapped() = object;
      objects.insert(std::move(node));
    }
    return handle;
  }

  void remove(const void* handle) {
    Objects::node_type node = objects.extract(reinterpret_cast<std::uintptr_t>(handle));
    if (!node.empty() && spareNodes.size() < kSpareNodes) spareNodes.push_back(std::move(node));
  }

  GdiObject* find(const void* handle, std::optional<Kind> kind = std::nullopt) {
    auto it = objects.find(reinterpret_cast<std::uintptr_t>(handle));
    if (it == objects.end() || (kind && it->second.kind != *kind)) return nullptr;
    return &it->second;
  }
};

GdiTable& table() {
  static GdiTable instance;
  return instance;
}

template <class Handle>
Handle toHandle(std::uintptr_t value) {
  return reinterpret_cast<Handle>(value);
}

std::string colourText(COLORREF colour) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%06x", static_cast<unsigned>(colour));
  return text;
}

std::string penStyleText(int style) { return style == PS_SOLID ? "PS_SOLID" : std::to_string(style); }

void select(HGDIOBJ& slot, HGDIOBJ object) {
  ++table().find(object)->selections;
  if (GdiObject* previous = table().find(slot)) --previous->selections;
  slot = object;
}

}  // namespace

HDC createDeviceContext(const Canvas& canvas, const Palette* palette) {
  GdiTable& gdi = table();
  std::uintptr_t handle = gdi.add(Kind::DeviceContext, 0);
  DeviceContext& dc = gdi.objects[handle].dc;
  dc = DeviceContext{canvas, palette, nullptr, nullptr, POINT{0, 0}};
  select(dc.pen, toHandle<HGDIOBJ>(gdi.blackPen));
  select(dc.brush, toHandle<HGDIOBJ>(gdi.whiteBrush));
  select(dc.font, toHandle<HGDIOBJ>(gdi.systemFixedFont));
  return toHandle<HDC>(handle);
}

void deleteDeviceContext(HDC dc) {
  GdiObject* object = table().find(dc, Kind::DeviceContext);
  if (!object) return;
  --table().find(object->dc.pen)->selections;
  --table().find(object->dc.brush)->selections;
  --table().find(object->dc.font)->selections;
  table().remove(dc);
}

DeviceContext* findDeviceContext(HDC dc) {
  GdiObject* object = table().find(dc, Kind::DeviceContext);
  return object ? &object->dc : nullptr;
}

std::optional<std::uint8_t> penIndex(const DeviceContext& dc) {
  const GdiObject* pen = table().find(dc.pen);
  if (!pen->draws) return std::nullopt;
  return nearestPaletteIndex(*dc.palette, pen->colour);
}

std::uint8_t brushIndex(const DeviceContext& dc) {
  return nearestPaletteIndex(*dc.palette, table().find(dc.brush)->colour);
}

const FixedFont& selectedFont(const DeviceContext& dc) { return *table().find(dc.font)->font; }

std::string gdiHandleText(const void* handle) {
  if (!handle) return "NULL";
  const GdiObject* object = table().find(handle);
  if (!object) return handleText(handle);
  switch (object->kind) {
    case Kind::DeviceContext: return "dc" + std::to_string(object->serial);
    case Kind::Pen: return object->stock ? "BLACK_PEN" : "pen" + std::to_string(object->serial);
    case Kind::Brush: return object->stock ? "WHITE_BRUSH" : "brush" + std::to_string(object->serial);
    case Kind::Font: return object->font == &kSystemFixedFont ? "SYSTEM_FIXED_FONT" : "ANSI_FIXED_FONT";
  }
  return handleText(handle);
}

void resetGdiObjects() { table() = GdiTable(); }

}  // namespace platform

using platform::Kind;
using platform::table;

// Styles other than PS_NULL draw as solid lines and every width as one
// pixel: the program asks for nothing else, and a visible line is the
// safer stand-in. PS_USERSTYLE, PS_ALTERNATE and unknown styles fail.
HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color) {
  if (platform::traceCall("CreatePen", [&] {
        return platform::joinArgs(
            {platform::penStyleText(iStyle), std::to_string(cWidth), platform::colourText(color)});
      })) {
    return nullptr;
  }
  int style = iStyle & platform::kPenStyleMask;
  if (style > platform::kPenStyleInsideFrame) return nullptr;
  std::uintptr_t handle = table().add(Kind::Pen, color);
  table().objects[handle].draws = style != platform::kPenStyleNull;
  return platform::toHandle<HPEN>(handle);
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  if (platform::traceCall("CreateSolidBrush", [&] { return platform::colourText(color); })) return nullptr;
  return platform::toHandle<HBRUSH>(table().add(Kind::Brush, color));
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
  if (platform::traceCall("SelectObject", [&] {
        return platform::joinArgs({platform::gdiHandleText(hdc), platform::gdiHandleText(h)});
      })) {
    return nullptr;
  }
  platform::DeviceContext* dc = platform::findDeviceContext(hdc);
  platform::GdiObject* object = table().find(h);
  if (!dc || !object || object->kind == Kind::DeviceContext) return nullptr;
  HGDIOBJ& slot = object->kind == Kind::Pen ? dc->pen : object->kind == Kind::Brush ? dc->brush : dc->font;
  HGDIOBJ previous = slot;
  platform::select(slot, h);
  return previous;
}

// Only the stock objects the program asks for exist; any other index has
// no object here.
HGDIOBJ WINAPI GetStockObject(int i) {
  if (platform::traceCall("GetStockObject", [&] { return std::to_string(i); })) return nullptr;
  switch (i) {
    case WHITE_BRUSH: return platform::toHandle<HGDIOBJ>(table().whiteBrush);
    case BLACK_PEN: return platform::toHandle<HGDIOBJ>(table().blackPen);
    case ANSI_FIXED_FONT: return platform::toHandle<HGDIOBJ>(table().ansiFixedFont);
    case SYSTEM_FIXED_FONT: return platform::toHandle<HGDIOBJ>(table().systemFixedFont);
    default: return nullptr;
  }
}

namespace {

// Both palette calls read the display's palette: the surfaces have no
// colour table of their own.
template <class Entry>
UINT copyPalette(const char* name, HDC hdc, UINT iStart, UINT cEntries, Entry* entries,
                 Entry (*convert)(const platform::Rgb&)) {
  if (platform::traceCall(name, [&] {
        return platform::joinArgs({platform::gdiHandleText(hdc), std::to_string(iStart), std::to_string(cEntries),
                                   entries ? "&entries" : "NULL"});
      })) {
    return 0;
  }
  const platform::DeviceContext* dc = platform::findDeviceContext(hdc);
  if (!dc || !entries || iStart >= 256) return 0;
  const UINT count = std::min<UINT>(cEntries, 256 - iStart);
  for (UINT i = 0; i < count; ++i) entries[i] = convert((*dc->palette)[iStart + i]);
  return count;
}

}  // namespace

UINT WINAPI GetSystemPaletteEntries(HDC hdc, UINT iStart, UINT cEntries, PALETTEENTRY* pPalEntries) {
  return copyPalette<PALETTEENTRY>("GetSystemPaletteEntries", hdc, iStart, cEntries, pPalEntries,
                                   [](const platform::Rgb& c) { return PALETTEENTRY{c.r, c.g, c.b, 0}; });
}

UINT WINAPI GetDIBColorTable(HDC hdc, UINT iStart, UINT cEntries, RGBQUAD* prgbq) {
  return copyPalette<RGBQUAD>("GetDIBColorTable", hdc, iStart, cEntries, prgbq,
                              [](const platform::Rgb& c) { return RGBQUAD{c.b, c.g, c.r, 0}; });
}

// Deleting a stock object succeeds and changes nothing, as in GDI; a
// selected object stays alive and the call fails, so that no device
// context is left holding a deleted pen or brush.
BOOL WINAPI DeleteObject(HGDIOBJ ho) {
  if (platform::traceCall("DeleteObject", [&] { return platform::gdiHandleText(ho); })) return FALSE;
  platform::GdiObject* object = table().find(ho);
  if (!object || object->kind == Kind::DeviceContext) return FALSE;
  if (object->stock) return TRUE;
  if (object->selections > 0) return FALSE;
  table().remove(ho);
  return TRUE;
}
