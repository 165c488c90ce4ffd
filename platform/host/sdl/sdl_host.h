// The host on a real screen through SDL2: one borderless window over the
// whole desktop, each 640 x 480 frame turned to RGB through its palette and
// scaled by the renderer to the screen with its aspect kept and no
// smoothing, the cursor shown and hidden with ShowCursor. When the program
// makes its window resizable, the SDL window becomes an ordinary resizable
// one that shows the client area's pictures pixel for pixel (the program
// scales the frame into them itself) and reports its new sizes.
#ifndef KELVANE_PLATFORM_SDL_HOST_H
#define KELVANE_PLATFORM_SDL_HOST_H

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/host.h"

namespace platform {

class SdlHost : public Host {
 public:
  // Opens the window; null with SDL's reason in `error` when there is no
  // display to open it on.
  static std::unique_ptr<SdlHost> create(std::string* error);
  ~SdlHost() override;
  SdlHost(const SdlHost&) = delete;
  SdlHost& operator=(const SdlHost&) = delete;

  int screenWidth() const override { return screenWidth_; }
  int screenHeight() const override { return screenHeight_; }
  bool pollEvent(InputEvent& event) override;
  // Any SDL event wakes it, even one that means nothing to the program.
  bool waitEvent() override;
  bool waitEventFor(int milliseconds) override;
  void present(const std::uint8_t* pixels, const Palette& palette) override;
  void setCursorVisible(bool visible) override;
  void showWindowed(bool windowed, int width, int height) override;
  void presentClient(const std::uint32_t* pixels, int width, int height) override;

 private:
  SdlHost() = default;
  void show();

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  SDL_Texture* clientTexture_ = nullptr;  // the last client-area picture
  SDL_Point client_{0, 0};                // its size
  bool windowed_ = false;
  bool mapped_ = false;  // shown once the program has said full screen or window
  int screenWidth_ = kScreenWidth;
  int screenHeight_ = kScreenHeight;
  std::vector<std::uint32_t> rgb_;  // the last frame, shown again when the window is exposed
  SDL_Event held_{};                // the event that woke waitEvent, not yet polled
  bool holding_ = false;
};

}  // namespace platform

#endif
