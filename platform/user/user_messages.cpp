// The message calls of USER. GetMessageA and WaitMessage are the only places
// that block, and they block in the host: with the headless host that is
// where the script hands over its next events, so PeekMessageA never
// advances a script.
#include <string>

#include "platform/trace/trace.h"
#include "platform/trace/call_format.h"
#include "platform/user/user_input.h"
#include "platform/user/user_queue.h"
#include "platform/user/user_windows.h"

namespace {

using platform::handleText;
using platform::joinArgs;
using platform::traceCall;

const HWND kThreadMessagesOnly = reinterpret_cast<HWND>(-1);

std::string bufferText(const void* buffer) { return buffer ? "&msg" : "NULL"; }

std::string messageArgs(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return joinArgs({handleText(window), platform::messageText(message), std::to_string(wParam), std::to_string(lParam)});
}

bool filterWindowExists(HWND window) {
  return !window || window == kThreadMessagesOnly || platform::isWindow(window);
}

}  // namespace

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
  if (traceCall("PeekMessageA", [&] {
        return joinArgs({bufferText(lpMsg), handleText(hWnd), std::to_string(wMsgFilterMin),
                         std::to_string(wMsgFilterMax), (wRemoveMsg & PM_REMOVE) ? "PM_REMOVE" : "PM_NOREMOVE"});
      })) {
    return FALSE;
  }
  if (!lpMsg || !filterWindowExists(hWnd)) return FALSE;
  platform::pumpHostInput();
  return platform::takeMessage({hWnd, wMsgFilterMin, wMsgFilterMax}, (wRemoveMsg & PM_REMOVE) != 0, *lpMsg) ? TRUE
                                                                                                          : FALSE;
}

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
  if (traceCall("GetMessageA", [&] {
        return joinArgs(
            {bufferText(lpMsg), handleText(hWnd), std::to_string(wMsgFilterMin), std::to_string(wMsgFilterMax)});
      })) {
    return -1;
  }
  if (!lpMsg) return -1;
  for (;;) {
    if (!filterWindowExists(hWnd)) return -1;
    platform::pumpHostInput();
    if (platform::takeMessage({hWnd, wMsgFilterMin, wMsgFilterMax}, true, *lpMsg)) {
      return lpMsg->message == WM_QUIT ? 0 : 1;
    }
    platform::waitForHostInput();
  }
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
  if (traceCall("DispatchMessageA", [&] {
        return lpMsg ? messageArgs(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam) : "NULL";
      })) {
    return 0;
  }
  if (!lpMsg || !lpMsg->hwnd) return 0;
  return platform::sendToWindow(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

BOOL WINAPI WaitMessage(void) {
  if (traceCall("WaitMessage")) return FALSE;
  for (;;) {
    platform::pumpHostInput();
    MSG pending;
    if (platform::takeMessage({nullptr, 0, 0}, false, pending)) return TRUE;
    platform::waitForHostInput();
  }
}

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (traceCall("PostMessageA", [&] { return messageArgs(hWnd, Msg, wParam, lParam); })) return FALSE;
  if (hWnd && !platform::isWindow(hWnd)) return FALSE;
  return platform::postToQueue(hWnd, Msg, wParam, lParam) ? TRUE : FALSE;
}

void WINAPI PostQuitMessage(int nExitCode) {
  if (traceCall("PostQuitMessage", [&] { return std::to_string(nExitCode); })) return;
  platform::postQuit(nExitCode);
}
