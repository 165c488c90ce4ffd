// The thread's one message queue. Posted messages, the quit request and
// input from the host are kept apart and retrieved in the order Windows
// uses: posted messages first, the quit message once no posted message is
// left, then input, then WM_PAINT for a window that needs painting. Input
// keeps its order; a mouse move arriving while a mouse move for the same
// window is the last input message replaces it, so the queue holds one
// pending move with the latest position between any two other inputs.
#ifndef KELVANE_PLATFORM_USER_QUEUE_H
#define KELVANE_PLATFORM_USER_QUEUE_H

#include "platform/win32.h"

namespace platform {

// Which messages a retrieval accepts: `window` NULL takes any message,
// (HWND)-1 only messages posted to no window, any other handle only that
// window's; the range [first, last] with 0, 0 meaning every message.
// WM_QUIT passes every filter.
struct MessageFilter {
  HWND window;
  UINT first;
  UINT last;
};

// Appends a posted message; false when the queue already holds as many
// messages as Windows allows one queue.
bool postToQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Appends a message that comes from host input, coalescing mouse moves.
void postInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Makes WM_QUIT with `exitCode` pending; a second request replaces the code.
void postQuit(int exitCode);

// Copies the first message the filter accepts into `message`, removing it
// when `remove` is set (WM_PAINT stays until its window is validated).
bool takeMessage(const MessageFilter& filter, bool remove, MSG& message);

// Drops the queued messages of a window that no longer exists.
void forgetWindowMessages(HWND window);

void resetQueue();

}  // namespace platform

#endif
