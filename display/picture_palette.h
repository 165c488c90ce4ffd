// The 256 colours the picture is drawn with in a window. A window on a
// true-colour desktop has no palette of the display behind it, so the
// picture's off-screen surface gets this one of its own, the same as the
// 8-bit mode's on the full screen.
#ifndef KELVANE_DISPLAY_PICTURE_PALETTE_H
#define KELVANE_DISPLAY_PICTURE_PALETTE_H

#include <array>

#include "platform/win32.h"

using PictureColours = std::array<PALETTEENTRY, 256>;

// The picture's colours (support/picture_colours.h) as DirectDraw entries.
const PictureColours& pictureColours();

#endif
