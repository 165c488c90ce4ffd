#include "platform/gdi/palette.h"

#include <array>

#include "support/picture_colours.h"

namespace platform {
namespace {

constexpr COLORREF kPaletteIndexTag = 0x01000000;

Palette buildDefaultPalette() {
  Palette palette{};
  for (int i = 0; i < 256; ++i) {
    const PictureColour colour = pictureColour(i);
    palette[i] = {colour.r, colour.g, colour.b};
  }
  return palette;
}

int square(int v) { return v * v; }

int searchNearest(const Palette& palette, int r, int g, int b) {
  int best = 0;
  int bestDistance = -1;
  for (int i = 0; i < 256; ++i) {
    int distance = square(palette[i].r - r) + square(palette[i].g - g) + square(palette[i].b - b);
    if (bestDistance < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
      if (distance == 0) break;
    }
  }
  return best;
}

// Every brush and pen the program makes is grey, and every frame makes a
// brush per face, so the greys of the default palette are looked up once.
const std::array<std::uint8_t, 256>& defaultGreyIndices() {
  static const std::array<std::uint8_t, 256> indices = [] {
    std::array<std::uint8_t, 256> result{};
    for (int v = 0; v < 256; ++v) result[v] = static_cast<std::uint8_t>(searchNearest(defaultPalette(), v, v, v));
    return result;
  }();
  return indices;
}

}  // namespace

const Palette& defaultPalette() {
  static const Palette palette = buildDefaultPalette();
  return palette;
}

std::uint8_t nearestPaletteIndex(const Palette& palette, COLORREF colour) {
  if ((colour & 0xFF000000) == kPaletteIndexTag) return static_cast<std::uint8_t>(colour & 0xFF);
  int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
  if (r == g && g == b && &palette == &defaultPalette()) return defaultGreyIndices()[r];
  return static_cast<std::uint8_t>(searchNearest(palette, r, g, b));
}

}  // namespace platform
