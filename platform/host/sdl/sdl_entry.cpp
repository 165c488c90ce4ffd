#include "platform/host/sdl/sdl_entry.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/host/sdl/sdl_host.h"
#include "platform/user/user.h"
#include "support/command_line.h"

namespace platform {

namespace {

// The SDL host, opened at the program's first call that needs the screen
// (in the program, GetSystemMetrics before it creates its window): what
// WinMain does before that, such as reading its command line and its scene
// file, ends without a window ever showing, and --help works without a
// display at all.
class LazySdlHost : public Host {
 public:
  int screenWidth() const override { return opened().screenWidth(); }
  int screenHeight() const override { return opened().screenHeight(); }
  bool pollEvent(InputEvent& event) override { return opened().pollEvent(event); }
  bool waitEvent() override { return opened().waitEvent(); }
  bool waitEventFor(int milliseconds) override { return opened().waitEventFor(milliseconds); }
  void present(const std::uint8_t* pixels, const Palette& palette) override { opened().present(pixels, palette); }
  void showWindowed(bool windowed, int width, int height) override { opened().showWindowed(windowed, width, height); }
  void presentClient(const std::uint32_t* pixels, int width, int height) override {
    opened().presentClient(pixels, width, height);
  }
  void setCursorVisible(bool visible) override { opened().setCursorVisible(visible); }

 private:
  // No Win32 call of the subset can report a missing screen, so the run
  // ends here, as it would have before WinMain.
  SdlHost& opened() const {
    if (!host_) {
      std::string error;
      host_ = SdlHost::create(&error);
      if (!host_) {
        std::fprintf(stderr, "kelvane: no display available: %s\n", error.c_str());
        std::exit(kExitNoDisplay);
      }
    }
    return *host_;
  }

  mutable std::unique_ptr<SdlHost> host_;
};

}  // namespace

int runWithSdlHost(WinMainFunction winMain, int argc, char** argv) {
  setHost(std::make_unique<LazySdlHost>());
  const int status = callWinMain(winMain, argc, argv);
  setHost(nullptr);  // closes the window before the process ends
  constexpr int kNormalEnd = 1;
  if (status == kNormalEnd || status == 0) return support::kExitDone;
  return status == support::kExitUsage ? support::kExitUsage : support::kExitFailed;
}

}  // namespace platform
