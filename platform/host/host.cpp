#include "platform/host/host.h"

#include <cstdio>

namespace platform {
namespace {

// Stands in until a host is installed: a 640 x 480 screen with no input and
// nowhere to show frames, so that the subset never dereferences a missing host.
class NullHost : public Host {
 public:
  int screenWidth() const override { return kScreenWidth; }
  int screenHeight() const override { return kScreenHeight; }
  bool pollEvent(InputEvent&) override { return false; }
  bool waitEvent() override {
    std::fputs("kelvane: the program waits for input, but no input source is installed\n", stderr);
    return false;
  }
  void present(const std::uint8_t*, const Palette&) override {}
  void setCursorVisible(bool) override {}
};

std::unique_ptr<Host>& installed() {
  static std::unique_ptr<Host> current;
  return current;
}

}  // namespace

void setHost(std::unique_ptr<Host> host) { installed() = std::move(host); }

Host& host() {
  static NullHost fallback;
  return installed() ? *installed() : fallback;
}

bool hasHost() { return installed() != nullptr; }

}  // namespace platform
