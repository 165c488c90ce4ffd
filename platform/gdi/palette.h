// The colours of the 8-bit display mode: its default palette, and how GDI
// turns a COLORREF into one of its indices.
#ifndef KELVANE_PLATFORM_PALETTE_H
#define KELVANE_PLATFORM_PALETTE_H

#include <cstdint>

#include "platform/host/host.h"
#include "platform/win32.h"

namespace platform {

// The palette the 640 x 480 x 8 mode starts with.
const Palette& defaultPalette();

// The index of the entry nearest to `colour` (squared distance in RGB; a tie
// goes to the lowest index). A COLORREF whose high byte is 1 (PALETTEINDEX)
// names its index directly, as in GDI; any other high byte is ignored.
std::uint8_t nearestPaletteIndex(const Palette& palette, COLORREF colour);

}  // namespace platform

#endif
