// SDL events as the host's input events: positions already in the 640 x 480
// frame's pixels (the renderer's logical size makes SDL report them so),
// clamped to the frame because the bars beside a letterboxed frame lie
// outside it, or in a resizable window the client area's pixels, clamped to
// it; keys as Win32 virtual-key codes, with Alt as a system key; a
// window's new size as a resize.
#ifndef KELVANE_PLATFORM_SDL_INPUT_H
#define KELVANE_PLATFORM_SDL_INPUT_H

#include <SDL.h>

#include "platform/host/host.h"

namespace platform {

// The virtual-key code of an SDL key, 0 for keys the program has no use
// for a name of.
unsigned virtualKeyOf(SDL_Keycode key);

// False for events that mean nothing to the program.
// `area` is what mouse positions are clamped to.
bool translateSdlEvent(const SDL_Event& sdlEvent, InputEvent& event, SDL_Point area = {kScreenWidth, kScreenHeight});

}  // namespace platform

#endif
