// The 256 colours the picture is drawn with in a window. A window on a
// true-colour desktop has no palette of the display behind it, so the
// picture's off-screen surface gets this one of its own; it holds every
// colour the program draws (black, white, the pure primaries and their
// mixes, every grey of the faces and overlays) exactly, as the 8-bit
// mode's palette does on the full screen.
#ifndef KELVANE_DISPLAY_PICTURE_PALETTE_H
#define KELVANE_DISPLAY_PICTURE_PALETTE_H

#include <array>

#include "platform/win32.h"

using PictureColours = std::array<PALETTEENTRY, 256>;

// Black first, a 4 x 4 x 4 colour cube in the first 64 entries (levels 0,
// 85, 170, 255), then an exact grey ramp from 40 to 231.
const PictureColours& pictureColours();

#endif
