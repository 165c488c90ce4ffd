// What the DirectDraw subset offers beyond its Win32 calls: the focus
// notification USER sends, fault injection, and what tests look at.
#ifndef KELVANE_PLATFORM_DIRECT_DRAW_STATE_H
#define KELVANE_PLATFORM_DIRECT_DRAW_STATE_H

#include <cstdint>

#include "platform/host/host.h"

namespace platform {

// The program went to the background (false) or came back (true). Going to
// the background while a DirectDraw object holds the exclusive level loses
// its surfaces; they stay lost until the primary is restored, which works
// only in the foreground.
void directDrawFocusChanged(bool active);

// Loses every surface at once, as a mode change by another program would.
void loseSurfacesNow();

// The 640 x 480 palette indices of the front and back buffer of the live
// flipping chain, or null when there is none.
const std::uint8_t* frontPixels();
const std::uint8_t* backPixels();
// The display's palette, handed to the host with every flip.
const Palette& displayPalette();

// Ends every DirectDraw object and GDI object and starts afresh. Pointers
// to objects made before stay safe to call; they answer as released ones.
void resetDirectDraw();

}  // namespace platform

#endif
