#include "platform/user/user.h"

#include <cstdint>
#include <string>

#include "platform/user/user_cursor.h"
#include "platform/user/user_focus.h"
#include "platform/user/user_input.h"
#include "platform/user/user_queue.h"
#include "platform/user/user_windows.h"
#include "support/command_line_text.h"

namespace platform {

// The load address Windows gives an executable's image, which is what a
// program's instance handle is.
HINSTANCE programInstance() { return reinterpret_cast<HINSTANCE>(std::uintptr_t{0x400000}); }

int callWinMain(WinMainFunction winMain, int argc, char** argv) {
  std::string commandLine = support::joinArguments(argc, argv);
  return winMain(programInstance(), nullptr, commandLine.data(), SW_SHOW);
}

void resetUser() {
  resetWindows();
  resetFocus();
  resetQueue();
  resetInput();
  resetCursor();
}

}  // namespace platform
