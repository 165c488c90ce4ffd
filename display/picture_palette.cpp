#include "display/picture_palette.h"

#include "support/picture_colours.h"

namespace {

PictureColours buildColours() {
  PictureColours colours{};
  for (std::size_t i = 0; i < colours.size(); ++i) {
    const PictureColour colour = pictureColour(int(i));
    colours[i] = PALETTEENTRY{colour.r, colour.g, colour.b, 0};
  }
  return colours;
}

}  // namespace

const PictureColours& pictureColours() {
  static const PictureColours colours = buildColours();
  return colours;
}
