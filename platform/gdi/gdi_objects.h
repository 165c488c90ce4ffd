// GDI's object table: pens, solid brushes and the device contexts of
// surfaces. Handles are table keys that are never dereferenced, so a
// stale or made-up handle is simply not found.
#ifndef KELVANE_PLATFORM_GDI_OBJECTS_H
#define KELVANE_PLATFORM_GDI_OBJECTS_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/canvas.h"
#include "platform/gdi/fixed_font.h"
#include "platform/host/host.h"
#include "platform/win32.h"

namespace platform {

// A window's client area: true colour, 0x00RRGGBB row by row.
struct ClientImage {
  std::vector<std::uint32_t> pixels;
  int width = 0;
  int height = 0;
};

struct DeviceContext {
  Canvas canvas;
  const Palette* palette;
  HGDIOBJ pen;
  HGDIOBJ brush;
  POINT position;
  HGDIOBJ font = nullptr;
  COLORREF textColour = 0;     // black, as in a new DC
  int backgroundMode = OPAQUE;
  // Set for a client area's context, whose 8-bit canvas is empty: only
  // StretchBlt and PatBlt draw on it.
  ClientImage* client = nullptr;
};

// A new device context on `canvas`, with the defaults of a new DC: the
// black one-pixel pen, the white brush, the current position at (0, 0),
// black text on an opaque white background in the system fixed font.
// `palette` must outlive it.
HDC createDeviceContext(const Canvas& canvas, const Palette* palette);
// Ends a device context; the objects selected into it are free again.
void deleteDeviceContext(HDC dc);
// The device context behind `dc`, or null for any other handle.
DeviceContext* findDeviceContext(HDC dc);

// The palette indices the selected objects paint with; no pen index when
// the pen draws nothing (PS_NULL).
std::optional<std::uint8_t> penIndex(const DeviceContext& dc);
std::uint8_t brushIndex(const DeviceContext& dc);
const FixedFont& selectedFont(const DeviceContext& dc);

// How a GDI handle appears in the call log: dc1, pen2, brush3, BLACK_PEN,
// WHITE_BRUSH; NULL; an unknown handle in hex.
std::string gdiHandleText(const void* handle);

// Forgets every object; the numbering starts again.
void resetGdiObjects();

}  // namespace platform

#endif
