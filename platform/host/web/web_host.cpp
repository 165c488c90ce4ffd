#include "platform/host/web/web_host.h"

#include <emscripten.h>

#include "platform/host/web/web_blit.h"
#include "platform/host/web/web_events.h"

namespace platform {
namespace {

// The page sees the program waiting while Module.kelvaneWake is set: its
// tests step input one wait at a time, as the headless host does. The time
// of the wake lets the page tell what the next frame cost.
EM_ASYNC_JS(void, yieldUntilInput, (), {
  await new Promise(resolve => { Module.kelvaneWake = resolve; });
});

// A wait with a limit (the painter's replay between two polygons) is told
// apart by Module.kelvanePacing, so that the page's tests can read a frame
// of the replay while the program holds still. Input ends it early.
EM_ASYNC_JS(void, yieldForAtMost, (int milliseconds), {
  await new Promise(resolve => {
    const timer = setTimeout(() => {
      Module.kelvaneWake = null;
      Module.kelvanePacing = false;
      resolve();
    }, milliseconds);
    Module.kelvanePacing = true;
    Module.kelvaneWake = () => {
      clearTimeout(timer);
      Module.kelvanePacing = false;
      resolve();
    };
  });
});

EM_JS(void, wakeProgram, (), {
  const wake = Module.kelvaneWake;
  if (wake) {
    Module.kelvaneWake = null;
    Module.kelvaneWokenAt = performance.now();
    wake();
  }
});

EM_JS(void, showCursorOnCanvas, (const char* selector, int visible), {
  const canvas = document.querySelector(UTF8ToString(selector));
  if (canvas) canvas.style.cursor = visible ? "" : "none";
});

// The page's way to ask the running program to close before it starts
// another (a new scene): the window system's close request, as when a
// desktop window is closed.
WebHost* closable = nullptr;

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void kelvaneWebClose() {
  if (closable) closable->queue(InputEvent{InputEvent::Close});
}

WebHost::WebHost(std::string selector) : selector_(std::move(selector)) {
  listenToCanvas(*this);
  closable = this;
}

WebHost::~WebHost() {
  stopListening();
  if (closable == this) closable = nullptr;
}

bool WebHost::pollEvent(InputEvent& event) {
  if (pending_.empty()) return false;
  event = pending_.front();
  pending_.pop_front();
  return true;
}

bool WebHost::waitEvent() {
  while (pending_.empty()) yieldUntilInput();
  return true;
}

bool WebHost::waitEventFor(int milliseconds) {
  if (pending_.empty()) yieldForAtMost(milliseconds);
  return !pending_.empty();
}

void WebHost::present(const std::uint8_t* pixels, const Palette& palette) {
  blitFrame(selector_, pixels, palette, rgba_);
}

void WebHost::setCursorVisible(bool visible) { showCursorOnCanvas(selector_.c_str(), visible ? 1 : 0); }

void WebHost::queue(const InputEvent& event) {
  pending_.push_back(event);
  wakeProgram();
}

}  // namespace platform
