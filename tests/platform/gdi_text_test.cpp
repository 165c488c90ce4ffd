// Text: glyphs from the stock fixed fonts in the text colour, the cell's
// background only in OPAQUE mode, clipping at the canvas, and the font,
// colour and mode calls answering with what they replace.
#include <gtest/gtest.h>

#include <cstring>

#include "guarded_canvas.h"
#include "platform/gdi/fixed_font.h"

namespace {

constexpr COLORREF kInk = RGB(255, 255, 0);

struct TextTest : FreshPlatform, ::testing::Test {
  GuardedCanvas canvas{40, 24};

  // The canvas as glyph cells would leave it: ink where `font` sets a pixel
  // of text (cells from (x, y)), `paper` elsewhere in a cell, 0 outside.
  std::vector<std::uint8_t> expected(const platform::FixedFont& font, int x, int y, const std::string& text,
                                     int paper) const {
    std::vector<std::uint8_t> pixels(std::size_t(canvas.width()) * canvas.height(), 0);
    for (std::size_t i = 0; i < text.size(); ++i) {
      for (int gy = 0; gy < font.height; ++gy) {
        for (int gx = 0; gx < font.width; ++gx) {
          const int px = x + int(i) * font.width + gx, py = y + gy;
          if (px < 0 || py < 0 || px >= canvas.width() || py >= canvas.height()) continue;
          const bool set = font.pixel(static_cast<unsigned char>(text[i]), gx, gy);
          if (set || paper >= 0) pixels[py * canvas.width() + px] = set ? indexOf(kInk) : std::uint8_t(paper);
        }
      }
    }
    return pixels;
  }
};

TEST_F(TextTest, GlyphsLandInTheirCellsClippedAndOnlyInOpaqueModeWithTheirBackground) {
  struct Case {
    int font;
    const platform::FixedFont& glyphs;
    int mode;
    int x, y;
    const char* text;
  };
  const Case cases[] = {
      {SYSTEM_FIXED_FONT, platform::kSystemFixedFont, TRANSPARENT, 2, 3, "Ag"},
      {ANSI_FIXED_FONT, platform::kAnsiFixedFont, TRANSPARENT, 0, 0, "W1"},
      {SYSTEM_FIXED_FONT, platform::kSystemFixedFont, OPAQUE, 1, 1, "x"},
      // Half off every edge: only what lies on the canvas is drawn.
      {SYSTEM_FIXED_FONT, platform::kSystemFixedFont, OPAQUE, -4, -7, "Q"},
      {ANSI_FIXED_FONT, platform::kAnsiFixedFont, OPAQUE, 36, 18, "MM"},
  };
  for (const Case& c : cases) {
    canvas.clear();
    SelectObject(canvas.dc(), GetStockObject(c.font));
    SetTextColor(canvas.dc(), kInk);
    SetBkMode(canvas.dc(), c.mode);
    EXPECT_TRUE(TextOutA(canvas.dc(), c.x, c.y, c.text, int(std::strlen(c.text))));
    const int paper = c.mode == OPAQUE ? indexOf(RGB(255, 255, 255)) : -1;
    expectPixels(canvas, expected(c.glyphs, c.x, c.y, c.text, paper), c.text);
  }
}

TEST_F(TextTest, FontsAreRealGlyphs) {
  for (const platform::FixedFont* font : {&platform::kSystemFixedFont, &platform::kAnsiFixedFont}) {
    int letterPixels = 0, spacePixels = 0, controlPixels = 0;
    for (int y = 0; y < font->height; ++y) {
      for (int x = 0; x < font->width; ++x) {
        letterPixels += font->pixel('A', x, y);
        spacePixels += font->pixel(' ', x, y);
        controlPixels += font->pixel('\n', x, y);
      }
    }
    EXPECT_GT(letterPixels, 8);
    EXPECT_EQ(spacePixels, 0);
    EXPECT_EQ(controlPixels, 0);
  }
}

TEST_F(TextTest, StateCallsReturnWhatTheyReplaceAndRefuseWhatTheyDoNotKnow) {
  const HDC dc = canvas.dc();
  const HGDIOBJ system = GetStockObject(SYSTEM_FIXED_FONT), ansi = GetStockObject(ANSI_FIXED_FONT);
  ASSERT_NE(system, nullptr);
  ASSERT_NE(ansi, nullptr);
  EXPECT_NE(system, ansi);
  EXPECT_EQ(GetStockObject(12345), nullptr);
  // A new context writes in the system font.
  EXPECT_EQ(SelectObject(dc, ansi), system);
  EXPECT_EQ(SelectObject(dc, system), ansi);
  // Stock fonts survive DeleteObject, selected or not.
  EXPECT_TRUE(DeleteObject(ansi));
  EXPECT_EQ(SelectObject(dc, ansi), system);

  EXPECT_EQ(SetTextColor(dc, kInk), RGB(0, 0, 0));
  EXPECT_EQ(SetTextColor(dc, 0), kInk);
  EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetBkMode(dc, 7), 0);
  EXPECT_EQ(SetBkMode(dc, OPAQUE), TRANSPARENT);
}

}  // namespace
