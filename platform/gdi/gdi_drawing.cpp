// The GDI drawing calls: each finds its device context, clips nothing
// itself and hands exact coordinates to the rasterisers, which clip to the
// surface once and never move a pixel.
#include <string>

#include "platform/gdi/ellipse_raster.h"
#include "platform/gdi/gdi_objects.h"
#include "platform/gdi/line_raster.h"
#include "platform/gdi/polygon_raster.h"
#include "platform/trace/trace.h"
#include "platform/trace/call_format.h"

namespace {

std::string pointsText(const POINT* points, int count) {
  if (!points) return "NULL";
  std::string text = "{";
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += ",";
    text += "(" + std::to_string(points[i].x) + "," + std::to_string(points[i].y) + ")";
  }
  return text + "}";
}

bool inEllipseRange(int value) {
  return value >= -platform::kEllipseCoordinateLimit && value <= platform::kEllipseCoordinateLimit;
}

}  // namespace

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
  if (platform::traceCall("MoveToEx", [&] {
        return platform::joinArgs(
            {platform::gdiHandleText(hdc), std::to_string(x), std::to_string(y), lppt ? "&point" : "NULL"});
      })) {
    return FALSE;
  }
  platform::DeviceContext* dc = platform::findDeviceContext(hdc);
  if (!dc) return FALSE;
  if (lppt) *lppt = dc->position;
  dc->position = POINT{x, y};
  return TRUE;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
  if (platform::traceCall("LineTo", [&] {
        return platform::joinArgs({platform::gdiHandleText(hdc), std::to_string(x), std::to_string(y)});
      })) {
    return FALSE;
  }
  platform::DeviceContext* dc = platform::findDeviceContext(hdc);
  if (!dc) return FALSE;
  if (auto pen = platform::penIndex(*dc)) platform::drawLine(dc->canvas, dc->position.x, dc->position.y, x, y, *pen);
  dc->position = POINT{x, y};
  return TRUE;
}

// The pen draws every edge, the closing one included, over the fill; with
// two points that is the segment with both of its end pixels.
BOOL WINAPI Polygon(HDC hdc, const POINT* apt, int cpt) {
  if (platform::traceCall("Polygon", [&] {
        return platform::joinArgs({platform::gdiHandleText(hdc), pointsText(apt, cpt), std::to_string(cpt)});
      })) {
    return FALSE;
  }
  platform::DeviceContext* dc = platform::findDeviceContext(hdc);
  if (!dc || !apt || cpt < 2) return FALSE;
  platform::fillPolygon(dc->canvas, apt, cpt, platform::brushIndex(*dc));
  if (auto pen = platform::penIndex(*dc)) {
    for (int i = 0; i < cpt; ++i) {
      const POINT& from = apt[i];
      const POINT& to = apt[(i + 1) % cpt];
      platform::drawLine(dc->canvas, from.x, from.y, to.x, to.y, *pen);
    }
  }
  return TRUE;
}

BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  if (platform::traceCall("Ellipse", [&] {
        return platform::joinArgs({platform::gdiHandleText(hdc), std::to_string(left), std::to_string(top),
                                   std::to_string(right), std::to_string(bottom)});
      })) {
    return FALSE;
  }
  platform::DeviceContext* dc = platform::findDeviceContext(hdc);
  if (!dc) return FALSE;
  for (int value : {left, top, right, bottom}) {
    if (!inEllipseRange(value)) return FALSE;
  }
  platform::drawEllipse(dc->canvas, left, top, right, bottom, platform::penIndex(*dc), platform::brushIndex(*dc));
  return TRUE;
}
