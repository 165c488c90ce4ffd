// The 256 colours the picture is drawn with, shared by the platform's 8-bit
// mode and the program's palette for a window, which must agree entry for
// entry. Why these: the program clears to index 0 and draws flat grey faces
// (levels 76 to 229) plus a few overlay colours (white, pure red, pure blue,
// 0x333333, 0x555555). So index 0 is black, the first 64 entries are a
// 4 x 4 x 4 colour cube (levels 0, 85, 170, 255: black, white, the pure
// primaries and a fair match for any other colour), and the other 192 are an
// exact grey ramp from 40 to 231, which holds every face grey and both dark
// overlay greys without rounding.
#ifndef KELVANE_SUPPORT_PICTURE_COLOURS_H
#define KELVANE_SUPPORT_PICTURE_COLOURS_H

#include <cstdint>

struct PictureColour {
  std::uint8_t r, g, b;
};

// Entry `index` (0 to 255) of the picture's palette.
constexpr PictureColour pictureColour(int index) {
  constexpr int kCubeLevels = 4;
  constexpr int kCubeStep = 85;
  constexpr int kCubeSize = kCubeLevels * kCubeLevels * kCubeLevels;
  constexpr int kFirstRampGrey = 40;
  if (index < kCubeSize) {
    return {std::uint8_t(index / (kCubeLevels * kCubeLevels) * kCubeStep),
            std::uint8_t(index / kCubeLevels % kCubeLevels * kCubeStep), std::uint8_t(index % kCubeLevels * kCubeStep)};
  }
  const auto grey = std::uint8_t(kFirstRampGrey + index - kCubeSize);
  return {grey, grey, grey};
}

#endif
