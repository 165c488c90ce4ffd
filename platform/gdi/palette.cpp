// Why this palette: the program clears to index 0 and draws flat grey faces
// (levels 76 to 229) plus a few overlay colours (white, pure red, pure blue,
// 0x333333, 0x555555). So index 0 is black, the first 64 entries are a
// 4 x 4 x 4 colour cube (levels 0, 85, 170, 255: black, white, the pure
// primaries and a fair match for any other colour), and the other 192 are
// an exact grey ramp from 40 to 231, which holds every face grey and both
// dark overlay greys without rounding.
#include "platform/gdi/palette.h"

#include <array>

namespace platform {
namespace {

constexpr int kCubeLevels = 4;
constexpr int kCubeStep = 85;
constexpr int kCubeSize = kCubeLevels * kCubeLevels * kCubeLevels;
constexpr int kFirstRampGrey = 40;
constexpr COLORREF kPaletteIndexTag = 0x01000000;

Palette buildDefaultPalette() {
  Palette palette{};
  for (int i = 0; i < kCubeSize; ++i) {
    int r = i / (kCubeLevels * kCubeLevels);
    int g = (i / kCubeLevels) % kCubeLevels;
    int b = i % kCubeLevels;
    palette[i] = {static_cast<std::uint8_t>(r * kCubeStep), static_cast<std::uint8_t>(g * kCubeStep),
                  static_cast<std::uint8_t>(b * kCubeStep)};
  }
  for (int i = kCubeSize; i < 256; ++i) {
    auto grey = static_cast<std::uint8_t>(kFirstRampGrey + i - kCubeSize);
    palette[i] = {grey, grey, grey};
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
