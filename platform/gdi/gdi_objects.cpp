// Objects live in one table keyed by handle value. A handle is its object's
// serial number (per kind, never reused until a reset) shifted left by two,
// with the kind in the low bits, so a handle of the wrong kind or one that
// was deleted is never mistaken for a live object. Pens and brushes count
// the device contexts they are selected into: a selected object cannot be
// deleted. The stock black pen and white brush are the defaults of every
// new device context and are never deleted.
#include "platform/gdi/gdi_objects.h"

#include <cstdio>
#include <map>
#include <vector>

#include "platform/gdi/palette.h"
#include "platform/trace/trace.h"
#include "platform/trace/call_format.h"

namespace platform {
namespace {

enum class Kind : std::uintptr_t { DeviceContext = 1, Pen = 2, Brush = 3 };

struct GdiObject {
  Kind kind;
  std::uintptr_t serial;
  bool stock = false;
  int selections = 0;
  COLORREF colour = 0;
  bool draws = true;  // pens: false for PS_NULL
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
  std::uintptr_t nextSerial[4] = {0, 1, 1, 1};
  std::uintptr_t blackPen = 0;
  std::uintptr_t whiteBrush = 0;

  GdiTable() {
    spareNodes.reserve(kSpareNodes);
    blackPen = add(Kind::Pen, kBlack, true);
    whiteBrush = add(Kind::Brush, kWhite, true);
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
  return toHandle<HDC>(handle);
}

void deleteDeviceContext(HDC dc) {
  GdiObject* object = table().find(dc, Kind::DeviceContext);
  if (!object) return;
  --table().find(object->dc.pen)->selections;
  --table().find(object->dc.brush)->selections;
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

std::string gdiHandleText(const void* handle) {
  if (!handle) return "NULL";
  const GdiObject* object = table().find(handle);
  if (!object) return handleText(handle);
  switch (object->kind) {
    case Kind::DeviceContext: return "dc" + std::to_string(object->serial);
    case Kind::Pen: return object->stock ? "BLACK_PEN" : "pen" + std::to_string(object->serial);
    case Kind::Brush: return object->stock ? "WHITE_BRUSH" : "brush" + std::to_string(object->serial);
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
  HGDIOBJ& slot = object->kind == Kind::Pen ? dc->pen : dc->brush;
  HGDIOBJ previous = slot;
  platform::select(slot, h);
  return previous;
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
