#include "platform/user/user_cursor.h"

#include "platform/host/host.h"
#include "platform/trace/trace.h"
#include "platform/win32.h"

namespace platform {
namespace {

int displayCount = 0;

}  // namespace

int cursorDisplayCount() { return displayCount; }

void resetCursor() { displayCount = 0; }

}  // namespace platform

// ShowCursor cannot fail on Windows; an injected fault leaves the counter
// as it is and reports its value.
int WINAPI ShowCursor(BOOL bShow) {
  int& count = platform::displayCount;
  if (platform::traceCall("ShowCursor", bShow ? "TRUE" : "FALSE")) return count;
  bool wasVisible = count >= 0;
  count += bShow ? 1 : -1;
  bool visible = count >= 0;
  if (visible != wasVisible) platform::host().setCursorVisible(visible);
  return count;
}
