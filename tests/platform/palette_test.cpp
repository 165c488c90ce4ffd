// The default palette of the 8-bit mode and the nearest-colour mapping.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/palette.h"

namespace {

using platform::defaultPalette;
using platform::nearestPaletteIndex;

bool holds(COLORREF colour) {
  const platform::Rgb& entry = defaultPalette()[nearestPaletteIndex(defaultPalette(), colour)];
  return entry.r == GetRValue(colour) && entry.g == GetGValue(colour) && entry.b == GetBValue(colour);
}

TEST(PaletteTest, IndexZeroIsBlackAndTheProgramsColoursAreExact) {
  const platform::Rgb& first = defaultPalette()[0];
  EXPECT_EQ(first.r + first.g + first.b, 0);
  for (COLORREF colour : {RGB(255, 255, 255), RGB(255, 0, 0), RGB(0, 0, 255), RGB(0x33, 0x33, 0x33),
                          RGB(0x55, 0x55, 0x55)}) {
    EXPECT_TRUE(holds(colour)) << std::hex << colour;
  }
  EXPECT_EQ(nearestPaletteIndex(defaultPalette(), 0x000000), 0);
}

TEST(PaletteTest, EveryFaceGreyIsExact) {
  for (int g = 76; g <= 229; ++g) EXPECT_TRUE(holds(RGB(g, g, g))) << g;
}

TEST(PaletteTest, OtherColoursMapToTheNearestEntryAndTiesToTheLowestIndex) {
  platform::Palette palette{};
  palette[3] = {10, 10, 10};
  palette[7] = {30, 30, 30};
  palette[9] = {30, 30, 30};
  EXPECT_EQ(nearestPaletteIndex(palette, RGB(19, 19, 19)), 3);
  EXPECT_EQ(nearestPaletteIndex(palette, RGB(21, 21, 21)), 7);
  EXPECT_EQ(nearestPaletteIndex(palette, RGB(4, 4, 4)), 0);
  EXPECT_EQ(nearestPaletteIndex(palette, RGB(5, 5, 5)), 0);  // halfway between 0 and 3
  const platform::Rgb& orange = defaultPalette()[nearestPaletteIndex(defaultPalette(), RGB(250, 130, 10))];
  EXPECT_LE(std::abs(orange.r - 250) + std::abs(orange.g - 130) + std::abs(orange.b - 10), 3 * 43);
}

TEST(PaletteTest, PaletteIndexColoursNameTheirIndex) {
  EXPECT_EQ(nearestPaletteIndex(defaultPalette(), 0x01000000 | 200), 200);
}

}  // namespace
