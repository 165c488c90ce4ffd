// Host input turned into messages: mouse positions packed into lParam as
// MAKELPARAM(x, y) with MK_LBUTTON in wParam while the button is down, keys
// as WM_KEYDOWN with their virtual-key code, the window system's close
// request as WM_CLOSE, foreground changes as WM_ACTIVATE, a key with Alt
// held as WM_SYSKEYDOWN (lParam bit 29 set) and a resized window as WM_SIZE.
#ifndef KELVANE_PLATFORM_USER_INPUT_H
#define KELVANE_PLATFORM_USER_INPUT_H

#include "platform/host/host.h"
#include "platform/win32.h"

namespace platform {

// Queues the messages of every event the host has pending, without waiting.
void pumpHostInput();

// Blocks in the host until input is pending. When the host answers that
// none can ever come (it has said why on stderr), the run ends here with
// kExitNoMoreInput: a program waiting for input that cannot arrive would
// otherwise hang.
void waitForHostInput();

// Turns one host event into its message, if it has one.
void deliverInput(const InputEvent& event);

// The last mouse position the host reported, in screen pixels.
POINT cursorPosition();

void resetInput();

}  // namespace platform

#endif
