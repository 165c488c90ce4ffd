// The display has no palette of its own, so the colours are the system
// palette's as GDI sees it on the frame's device context, or, where GDI
// treats that context as an 8-bit bitmap's (Wine does), that bitmap's
// colour table; the indices are read from the front buffer, which holds the
// frame once it is flipped.
#include "display/screen_capture.h"

#include <cstdio>
#include <cstring>

#include "display/viewer.h"

bool Viewer::captureFrame(ScreenImage& image, std::string& error) {
  if (!beginFrame()) return error = "no frame could be drawn", false;
  drawScene();
  drawOverlays();
  UINT colours = GetSystemPaletteEntries(dc, 0, 256, image.palette);
  if (colours != 256) {
    RGBQUAD table[256];
    colours = GetDIBColorTable(dc, 0, 256, table);
    for (UINT i = 0; i < colours && i < 256; ++i) {
      image.palette[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    }
  }
  endFrame();
  if (colours != 256) return error = "GDI gave no palette for the frame", false;

  DDSURFACEDESC description;
  std::memset(&description, 0, sizeof description);
  description.dwSize = sizeof description;
  IDirectDrawSurface* shown = shownSurface();
  const HRESULT locked = shown->Lock(nullptr, &description, DDLOCK_WAIT | DDLOCK_READONLY, nullptr);
  if (locked != DD_OK) {
    char text[64];
    std::snprintf(text, sizeof text, "the screen could not be locked (0x%08lx)", static_cast<unsigned long>(locked));
    return error = text, false;
  }
  image.width = static_cast<int>(description.dwWidth);
  image.height = static_cast<int>(description.dwHeight);
  image.pixels.resize(std::size_t(image.width) * image.height);
  const auto* rows = static_cast<const std::uint8_t*>(description.lpSurface);
  for (int y = 0; y < image.height; ++y) {
    std::memcpy(&image.pixels[std::size_t(y) * image.width], rows + std::ptrdiff_t(y) * description.lPitch,
                static_cast<std::size_t>(image.width));
  }
  shown->Unlock(description.lpSurface);
  return true;
}
