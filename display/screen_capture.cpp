// The display has no palette of its own, so the colours are the system
// palette's as GDI sees it on the frame's device context; the indices are
// read from the front buffer, which holds the frame once it is flipped.
#include "display/screen_capture.h"

#include <cstring>

#include "display/viewer.h"

bool Viewer::captureFrame(ScreenImage& image) {
  if (!beginFrame()) return false;
  drawScene();
  drawOverlays();
  const UINT colours = GetSystemPaletteEntries(dc, 0, 256, image.palette);
  endFrame();
  if (colours != 256 || primary == nullptr) return false;

  DDSURFACEDESC description;
  std::memset(&description, 0, sizeof description);
  description.dwSize = sizeof description;
  if (primary->Lock(nullptr, &description, DDLOCK_WAIT | DDLOCK_READONLY, nullptr) != DD_OK) return false;
  image.width = static_cast<int>(description.dwWidth);
  image.height = static_cast<int>(description.dwHeight);
  image.pixels.resize(std::size_t(image.width) * image.height);
  const auto* rows = static_cast<const std::uint8_t*>(description.lpSurface);
  for (int y = 0; y < image.height; ++y) {
    std::memcpy(&image.pixels[std::size_t(y) * image.width], rows + std::ptrdiff_t(y) * description.lPitch,
                static_cast<std::size_t>(image.width));
  }
  primary->Unlock(description.lpSurface);
  return true;
}
