// The platform's fixed bitmap fonts, the stand-ins for GDI's stock fixed
// fonts. Their glyphs come from free console fonts and are turned into
// tables at build time (tools/font/psf_to_table.cpp), never drawn by hand.
#ifndef KELVANE_PLATFORM_GDI_FIXED_FONT_H
#define KELVANE_PLATFORM_GDI_FIXED_FONT_H

#include <cstdint>

namespace platform {

struct FixedFont {
  int width;        // pixels per character cell
  int height;
  int bytesPerRow;  // a glyph row, most significant bit leftmost
  // 256 cells of height * bytesPerRow bytes, indexed by Latin-1 code.
  const std::uint8_t* glyphs;

  bool pixel(unsigned char code, int x, int y) const {
    const std::uint8_t row = glyphs[(code * height + y) * bytesPerRow + x / 8];
    return (row & (0x80 >> (x % 8))) != 0;
  }
};

// SYSTEM_FIXED_FONT: 8 x 16 cells. ANSI_FIXED_FONT: 8 x 13.
extern const FixedFont kSystemFixedFont;
extern const FixedFont kAnsiFixedFont;

}  // namespace platform

#endif
