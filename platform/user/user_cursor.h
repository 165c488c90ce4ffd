// ShowCursor's display counter: it starts at 0 and the cursor is shown
// while it is >= 0; the host hears of every change of visibility.
#ifndef KELVANE_PLATFORM_USER_CURSOR_H
#define KELVANE_PLATFORM_USER_CURSOR_H

namespace platform {

int cursorDisplayCount();
void resetCursor();

}  // namespace platform

#endif
