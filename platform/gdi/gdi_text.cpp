// Text on a device context in the selected fixed font: each byte is one
// cell of the font's width, its set pixels in the text colour and, in
// OPAQUE mode, the rest of the cell in the default background colour
// (white: the program sets no other). Cells clip to the surface.
#include <algorithm>
#include <string>

#include "platform/gdi/gdi_objects.h"
#include "platform/gdi/palette.h"
#include "platform/trace/call_format.h"
#include "platform/trace/trace.h"

namespace {

constexpr COLORREF kBackgroundColour = 0xFFFFFF;

// The cell clipped once, then a row at a time; in TRANSPARENT mode a
// glyph's empty rows (most of a line of text) are skipped whole.
void drawCell(const platform::DeviceContext& dc, const platform::FixedFont& font, unsigned char code, long left,
              long top, std::uint8_t ink, std::uint8_t paper) {
  const platform::Canvas& canvas = dc.canvas;
  const bool opaque = dc.backgroundMode == OPAQUE;
  const int xFrom = static_cast<int>(std::max(0L, -left));
  const int xTo = static_cast<int>(std::min<long>(font.width, canvas.width - left));
  const int yFrom = static_cast<int>(std::max(0L, -top));
  const int yTo = static_cast<int>(std::min<long>(font.height, canvas.height - top));
  const std::uint8_t* glyph = font.glyphs + code * font.height * font.bytesPerRow;
  for (int y = yFrom; y < yTo; ++y) {
    const std::uint8_t* bits = glyph + y * font.bytesPerRow;
    if (!opaque && std::all_of(bits, bits + font.bytesPerRow, [](std::uint8_t b) { return b == 0; })) continue;
    std::uint8_t* line = canvas.pixels + (top + y) * canvas.pitch;
    for (int x = xFrom; x < xTo; ++x) {
      if (bits[x / 8] & (0x80 >> (x % 8))) {
        line[left + x] = ink;
      } else if (opaque) {
        line[left + x] = paper;
      }
    }
  }
}

}  // namespace

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
  if (platform::traceCall("TextOutA", [&] {
        return platform::joinArgs({platform::gdiHandleText(hdc), std::to_string(x), std::to_string(y),
                                   lpString && c >= 0 ? "\"" + std::string(lpString, c) + "\"" : "NULL",
                                   std::to_string(c)});
      })) {
    return FALSE;
  }
  platform::DeviceContext* dc = platform::findDeviceContext(hdc);
  if (!dc || c < 0 || (!lpString && c > 0)) return FALSE;
  const platform::FixedFont& font = platform::selectedFont(*dc);
  const std::uint8_t ink = platform::nearestPaletteIndex(*dc->palette, dc->textColour);
  const std::uint8_t paper = platform::nearestPaletteIndex(*dc->palette, kBackgroundColour);
  for (int i = 0; i < c; ++i) {
    drawCell(*dc, font, static_cast<unsigned char>(lpString[i]), long(x) + long(i) * font.width, y, ink, paper);
  }
  return TRUE;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
  if (platform::traceCall("SetTextColor", [&] {
        return platform::joinArgs({platform::gdiHandleText(hdc), std::to_string(color)});
      })) {
    return CLR_INVALID;
  }
  platform::DeviceContext* dc = platform::findDeviceContext(hdc);
  if (!dc) return CLR_INVALID;
  const COLORREF previous = dc->textColour;
  dc->textColour = color;
  return previous;
}

int WINAPI SetBkMode(HDC hdc, int mode) {
  if (platform::traceCall("SetBkMode", [&] {
        return platform::joinArgs({platform::gdiHandleText(hdc), std::to_string(mode)});
      })) {
    return 0;
  }
  platform::DeviceContext* dc = platform::findDeviceContext(hdc);
  if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  const int previous = dc->backgroundMode;
  dc->backgroundMode = mode;
  return previous;
}
