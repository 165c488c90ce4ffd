// The browser as a host: frames go to a <canvas>, the canvas's mouse,
// keyboard and focus events come back as input. The program's blocking
// wait hands control back to the browser (Asyncify) until an event arrives,
// so the program above runs unchanged inside the page's event loop.
#ifndef KELVANE_PLATFORM_HOST_WEB_WEB_HOST_H
#define KELVANE_PLATFORM_HOST_WEB_WEB_HOST_H

#include <deque>
#include <memory>
#include <string>

#include "platform/host/host.h"

namespace platform {

class WebHost : public Host {
 public:
  // Listens to the canvas the page named `selector` (a CSS selector).
  explicit WebHost(std::string selector);
  ~WebHost() override;
  WebHost(const WebHost&) = delete;
  WebHost& operator=(const WebHost&) = delete;

  int screenWidth() const override { return kScreenWidth; }
  int screenHeight() const override { return kScreenHeight; }
  bool pollEvent(InputEvent& event) override;
  // Yields to the browser until an event is queued; never gives up, as the
  // page can always send more.
  bool waitEvent() override;
  // Yields to the browser until an event is queued or the time has passed.
  bool waitEventFor(int milliseconds) override;
  void present(const std::uint8_t* pixels, const Palette& palette) override;
  void setCursorVisible(bool visible) override;

  // Called by the event listeners with an event already translated.
  void queue(const InputEvent& event);
  const std::string& selector() const { return selector_; }

 private:
  std::string selector_;
  std::deque<InputEvent> pending_;
  std::unique_ptr<std::uint8_t[]> rgba_;
};

}  // namespace platform

#endif
