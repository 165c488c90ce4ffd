// Text on the open frame in one of GDI's stock fixed fonts, on a
// transparent background; the device context's font, colour and mode are
// given back afterwards.
#ifndef KELVANE_DISPLAY_TEXT_H
#define KELVANE_DISPLAY_TEXT_H

#include <string>

#include "platform/win32.h"

// Cell sizes the layouts count with; the real fonts may differ a little.
constexpr int kSmallTextWidth = 8;
constexpr int kSmallTextHeight = 13;
constexpr int kTextWidth = 8;
constexpr int kTextHeight = 16;

enum class TextFont { System = SYSTEM_FIXED_FONT, Small = ANSI_FIXED_FONT };

// Writes `text` with its cell's top left corner at pixel (x, y).
void writeText(HDC dc, int x, int y, const std::string& text, COLORREF colour, TextFont font = TextFont::System);

// A filled rectangle (pixels left..right-1, top..bottom-1) with a border
// in `edge`, under a panel's contents.
void panelBackground(HDC dc, const RECT& box, COLORREF fill, COLORREF edge);

#endif
