#include "display/picture_palette.h"

namespace {

constexpr int kCubeLevels = 4;
constexpr BYTE kCubeStep = 85;
constexpr std::size_t kCubeSize = kCubeLevels * kCubeLevels * kCubeLevels;
constexpr int kFirstRampGrey = 40;

PictureColours buildColours() {
  PictureColours colours{};
  for (std::size_t i = 0; i < colours.size(); ++i) {
    if (i < kCubeSize) {
      colours[i] = PALETTEENTRY{BYTE(i / (kCubeLevels * kCubeLevels) * kCubeStep),
                                BYTE(i / kCubeLevels % kCubeLevels * kCubeStep), BYTE(i % kCubeLevels * kCubeStep), 0};
    } else {
      const auto grey = BYTE(kFirstRampGrey + i - kCubeSize);
      colours[i] = PALETTEENTRY{grey, grey, grey, 0};
    }
  }
  return colours;
}

}  // namespace

const PictureColours& pictureColours() {
  static const PictureColours colours = buildColours();
  return colours;
}
