#include "platform/user/user_queue.h"

#include <chrono>
#include <deque>

#include "platform/user/user_input.h"
#include "platform/user/user_windows.h"

namespace platform {
namespace {

// The per-queue limit of posted messages on Windows; PostMessageA fails
// beyond it instead of letting a runaway poster exhaust memory.
constexpr std::size_t kMaxPostedMessages = 10000;

struct Queue {
  std::deque<MSG> posted;
  std::deque<MSG> input;
  bool quitPending = false;
  int quitCode = 0;
};

Queue& queue() {
  static Queue state;
  return state;
}

DWORD tickCount() {
  static const auto start = std::chrono::steady_clock::now();
  auto elapsed = std::chrono::steady_clock::now() - start;
  return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

MSG makeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return MSG{window, message, wParam, lParam, tickCount(), cursorPosition()};
}

bool windowAccepted(const MessageFilter& filter, HWND window) {
  if (!filter.window) return true;
  if (filter.window == reinterpret_cast<HWND>(-1)) return window == nullptr;
  return window == filter.window;
}

bool accepted(const MessageFilter& filter, const MSG& message) {
  if (!windowAccepted(filter, message.hwnd)) return false;
  if (filter.first == 0 && filter.last == 0) return true;
  return message.message >= filter.first && message.message <= filter.last;
}

bool takeFrom(std::deque<MSG>& messages, const MessageFilter& filter, bool remove, MSG& message) {
  for (auto it = messages.begin(); it != messages.end(); ++it) {
    if (!accepted(filter, *it)) continue;
    message = *it;
    if (remove) messages.erase(it);
    return true;
  }
  return false;
}

}  // namespace

bool postToQueue(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (queue().posted.size() >= kMaxPostedMessages) return false;
  queue().posted.push_back(makeMessage(window, message, wParam, lParam));
  return true;
}

void postInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  std::deque<MSG>& input = queue().input;
  MSG next = makeMessage(window, message, wParam, lParam);
  if (message == WM_MOUSEMOVE && !input.empty() && input.back().message == WM_MOUSEMOVE &&
      input.back().hwnd == window) {
    input.back() = next;
    return;
  }
  input.push_back(next);
}

void postQuit(int exitCode) {
  queue().quitPending = true;
  queue().quitCode = exitCode;
}

bool takeMessage(const MessageFilter& filter, bool remove, MSG& message) {
  Queue& q = queue();
  if (takeFrom(q.posted, filter, remove, message)) return true;
  if (q.quitPending) {
    message = makeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0);
    if (remove) q.quitPending = false;
    return true;
  }
  if (takeFrom(q.input, filter, remove, message)) return true;
  if (HWND window = windowNeedingPaint(filter.window)) {
    MSG paint = makeMessage(window, WM_PAINT, 0, 0);
    if (accepted(filter, paint)) {
      message = paint;
      return true;
    }
  }
  return false;
}

void forgetWindowMessages(HWND window) {
  for (std::deque<MSG>* messages : {&queue().posted, &queue().input}) {
    for (auto it = messages->begin(); it != messages->end();) {
      it = it->hwnd == window ? messages->erase(it) : it + 1;
    }
  }
}

void resetQueue() { queue() = Queue(); }

}  // namespace platform
