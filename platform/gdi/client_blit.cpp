// The two calls that draw on a window's client area: StretchBlt from an
// 8-bit device context, each destination pixel taking the source pixel
// under its centre through the source's palette (so a whole-number
// enlargement repeats every pixel exactly and nothing is ever blended, as
// with COLORONCOLOR), and PatBlt with BLACKNESS for the bars around it.
// Both clip to the client area, so clipping never moves a pixel.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/gdi/gdi_objects.h"
#include "platform/trace/call_format.h"
#include "platform/trace/trace.h"

namespace {

struct Span {
  int from, to;
};

Span clipped(int at, int length, int limit) { return {std::clamp(at, 0, limit), std::clamp(at + length, 0, limit)}; }

std::uint32_t rgbOf(const platform::Rgb& colour) {
  return (std::uint32_t{colour.r} << 16) | (std::uint32_t{colour.g} << 8) | colour.b;
}

// Which of `sourceLength` source pixels lies under the centre of
// destination pixel i of `destLength`.
int sourceUnder(int i, int destLength, int sourceLength) {
  return static_cast<int>((std::int64_t(2 * i + 1) * sourceLength) / (std::int64_t(2) * destLength));
}

}  // namespace

BOOL WINAPI StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                       int wSrc, int hSrc, DWORD rop) {
  using namespace platform;
  if (traceCall("StretchBlt", [&] {
        return joinArgs({gdiHandleText(hdcDest), std::to_string(xDest), std::to_string(yDest), std::to_string(wDest),
                         std::to_string(hDest), gdiHandleText(hdcSrc), std::to_string(xSrc), std::to_string(ySrc),
                         std::to_string(wSrc), std::to_string(hSrc), hexText(rop)});
      })) {
    return FALSE;
  }
  const DeviceContext* dest = findDeviceContext(hdcDest);
  const DeviceContext* source = findDeviceContext(hdcSrc);
  if (!dest || !source || !dest->client || source->client || rop != SRCCOPY) return FALSE;
  // Mirroring and a source outside its surface are not provided.
  const Canvas& from = source->canvas;
  if (wDest <= 0 || hDest <= 0 || wSrc <= 0 || hSrc <= 0 || xSrc < 0 || ySrc < 0 || xSrc + wSrc > from.width ||
      ySrc + hSrc > from.height) {
    return FALSE;
  }
  ClientImage& to = *dest->client;
  const Span columns = clipped(xDest, wDest, to.width);
  const Span rows = clipped(yDest, hDest, to.height);
  std::uint32_t colours[256];
  for (int i = 0; i < 256; ++i) colours[i] = rgbOf((*source->palette)[i]);
  // The source column of every destination column, worked out once.
  std::vector<int> sourceColumns(static_cast<std::size_t>(std::max(columns.to - columns.from, 0)));
  for (int x = columns.from; x < columns.to; ++x) {
    sourceColumns[std::size_t(x - columns.from)] = xSrc + sourceUnder(x - xDest, wDest, wSrc);
  }
  for (int y = rows.from; y < rows.to; ++y) {
    const std::uint8_t* line = from.pixels + std::size_t(ySrc + sourceUnder(y - yDest, hDest, hSrc)) * from.pitch;
    std::uint32_t* out = to.pixels.data() + std::size_t(y) * to.width + columns.from;
    for (std::size_t i = 0; i < sourceColumns.size(); ++i) out[i] = colours[line[sourceColumns[i]]];
  }
  return TRUE;
}

// Nothing is ever blended, so every mode draws alike.
int WINAPI SetStretchBltMode(HDC hdc, int mode) {
  using namespace platform;
  if (traceCall("SetStretchBltMode", [&] { return joinArgs({gdiHandleText(hdc), std::to_string(mode)}); })) return 0;
  return findDeviceContext(hdc) != nullptr && mode >= 1 && mode <= 4 ? 1 : 0;
}

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
  using namespace platform;
  if (traceCall("PatBlt", [&] {
        return joinArgs({gdiHandleText(hdc), std::to_string(x), std::to_string(y), std::to_string(w),
                         std::to_string(h), hexText(rop)});
      })) {
    return FALSE;
  }
  const DeviceContext* dc = findDeviceContext(hdc);
  if (!dc || !dc->client || rop != BLACKNESS) return FALSE;
  ClientImage& image = *dc->client;
  const Span columns = clipped(std::min(x, x + w), std::abs(w), image.width);
  const Span rows = clipped(std::min(y, y + h), std::abs(h), image.height);
  for (int row = rows.from; row < rows.to; ++row) {
    std::fill_n(image.pixels.data() + std::size_t(row) * image.width + columns.from, columns.to - columns.from, 0u);
  }
  return TRUE;
}
