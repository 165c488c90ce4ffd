#include "platform/user.h"

#include <cstdint>

#include "platform/user_cursor.h"
#include "platform/user_focus.h"
#include "platform/user_input.h"
#include "platform/user_queue.h"
#include "platform/user_windows.h"

namespace platform {

// The load address Windows gives an executable's image, which is what a
// program's instance handle is.
HINSTANCE programInstance() { return reinterpret_cast<HINSTANCE>(std::uintptr_t{0x400000}); }

void resetUser() {
  resetWindows();
  resetFocus();
  resetQueue();
  resetInput();
  resetCursor();
}

}  // namespace platform
