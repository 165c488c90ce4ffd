#include "platform/host/sdl/sdl_host.h"

#include "platform/host/sdl/sdl_display_watch.h"
#include "platform/host/sdl/sdl_input.h"

namespace platform {
namespace {

// SDL falls back to its offscreen or dummy driver when no real one works;
// a window there shows nothing and receives no input, so the program would
// wait for ever. Such a driver counts as a display only when asked for by
// name, as the tests do.
bool hasRealDisplay(std::string* error) {
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* requested = SDL_getenv("SDL_VIDEODRIVER");
  bool standIn = driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
  if (!standIn || (requested && SDL_strstr(requested, driver))) return true;
  if (error) *error = std::string("only the ") + driver + " video driver works here";
  return false;
}

bool isSet(const char* variable) {
  const char* value = SDL_getenv(variable);
  return value != nullptr && value[0] != '\0';
}

// Which display the environment names decides the driver, unless the
// driver is named itself: with only an X display named, SDL would go on to
// try Wayland, whose library complains on stderr, and then stand-ins, and
// the X server's own failure would be lost among theirs.
bool chooseDriver(std::string* error) {
  if (isSet("SDL_VIDEODRIVER") || isSet("WAYLAND_DISPLAY")) return true;
  if (!isSet("DISPLAY")) {
    if (error) *error = "neither DISPLAY nor WAYLAND_DISPLAY is set";
    return false;
  }
  // Asked before SDL starts: a start that fails leaves pieces behind.
  if (!canOpenXDisplay(SDL_getenv("DISPLAY"))) {
    if (error) {
      *error = std::string("cannot open the X display '") + SDL_getenv("DISPLAY") +
               "': no X server accepts a connection there";
    }
    return false;
  }
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  return true;
}

}  // namespace

std::unique_ptr<SdlHost> SdlHost::create(std::string* error) {
  if (!chooseDriver(error)) return nullptr;
  // Set before the renderer exists: textures take their scaling from it.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
  const int started = SDL_Init(SDL_INIT_VIDEO);
  releaseXDisplay();
  if (started != 0) {
    if (error) *error = SDL_GetError();
    return nullptr;
  }
  if (!hasRealDisplay(error)) {
    SDL_Quit();
    return nullptr;
  }
  watchDisplay();
  std::unique_ptr<SdlHost> host(new SdlHost);
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
    host->screenWidth_ = desktop.w;
    host->screenHeight_ = desktop.h;
  }
  host->window_ = SDL_CreateWindow("Kelvane", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, host->screenWidth_,
                                   host->screenHeight_,
                                   SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
  if (host->window_) host->renderer_ = SDL_CreateRenderer(host->window_, -1, 0);
  if (host->renderer_ && SDL_RenderSetLogicalSize(host->renderer_, kScreenWidth, kScreenHeight) == 0) {
    host->texture_ = SDL_CreateTexture(host->renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                       kScreenWidth, kScreenHeight);
  }
  if (!host->texture_) {
    if (error) *error = SDL_GetError();
    return nullptr;
  }
  watchConnection(host->window_);
  host->rgb_.assign(static_cast<std::size_t>(kScreenWidth) * kScreenHeight, 0xff000000u);
  host->show();
  return host;
}

SdlHost::~SdlHost() {
  unwatchConnection();
  if (texture_) SDL_DestroyTexture(texture_);
  if (clientTexture_) SDL_DestroyTexture(clientTexture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  SDL_Quit();
}

bool SdlHost::pollEvent(InputEvent& event) {
  SDL_Event sdlEvent;
  for (;;) {
    if (holding_) {
      sdlEvent = held_;
      holding_ = false;
    } else if (!SDL_PollEvent(&sdlEvent)) {
      return false;
    }
    if (sdlEvent.type == SDL_WINDOWEVENT && (sdlEvent.window.event == SDL_WINDOWEVENT_EXPOSED ||
                                             sdlEvent.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)) {
      show();
    }
    const SDL_Point area = windowed_ ? client_ : SDL_Point{kScreenWidth, kScreenHeight};
    if (translateSdlEvent(sdlEvent, event, area)) return true;
  }
}

bool SdlHost::waitEvent() {
  if (holding_) return true;
  if (!SDL_WaitEvent(&held_)) {
    std::fprintf(stderr, "kelvane: waiting for input failed (SDL: %s)\n", SDL_GetError());
    return false;
  }
  holding_ = true;
  return true;
}

bool SdlHost::waitEventFor(int milliseconds) {
  if (holding_) return true;
  holding_ = SDL_WaitEventTimeout(&held_, milliseconds) != 0;
  return holding_;
}

void SdlHost::present(const std::uint8_t* pixels, const Palette& palette) {
  for (std::size_t i = 0; i < rgb_.size(); ++i) {
    const Rgb& colour = palette[pixels[i]];
    rgb_[i] = 0xff000000u | (std::uint32_t{colour.r} << 16) | (std::uint32_t{colour.g} << 8) | colour.b;
  }
  show();
}

// The logical size is set afresh each time: the viewport it implies is
// worked out from the window's size when it is set, and the window may
// have changed size since.
void SdlHost::show() {
  SDL_RenderSetLogicalSize(renderer_, windowed_ ? 0 : kScreenWidth, windowed_ ? 0 : kScreenHeight);
  if (windowed_) SDL_RenderSetViewport(renderer_, nullptr);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  if (windowed_) {
    const SDL_Rect at{0, 0, client_.x, client_.y};
    if (clientTexture_) SDL_RenderCopy(renderer_, clientTexture_, nullptr, &at);
  } else {
    SDL_UpdateTexture(texture_, nullptr, rgb_.data(), kScreenWidth * sizeof(std::uint32_t));
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  }
  SDL_RenderPresent(renderer_);
}

// Without a logical size (show) the renderer draws and reports the mouse in
// the window's own pixels, which the client area's pictures already are.
// Size and place are set as well as the full-screen state, and the window
// is mapped afresh, because without a window manager (a bare X server)
// nothing else would resize it. The window is first mapped here, once the
// program has said which way it is shown: a window mapped over the whole
// screen and turned into a smaller one at once could keep the first size
// on a bare X server.
void SdlHost::showWindowed(bool windowed, int width, int height) {
  if (windowed || windowed_ || !mapped_) {
    if (mapped_) SDL_HideWindow(window_);
    if (windowed) {
      SDL_SetWindowFullscreen(window_, 0);
      SDL_SetWindowBordered(window_, SDL_TRUE);
      SDL_SetWindowResizable(window_, SDL_TRUE);
      SDL_SetWindowSize(window_, width, height);
      SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    } else if (windowed_) {
      SDL_SetWindowResizable(window_, SDL_FALSE);
      SDL_SetWindowBordered(window_, SDL_FALSE);
      SDL_SetWindowPosition(window_, 0, 0);
      SDL_SetWindowSize(window_, screenWidth_, screenHeight_);
      SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    SDL_ShowWindow(window_);
    mapped_ = true;
  }
  windowed_ = windowed;
  client_ = SDL_Point{width, height};
}

void SdlHost::presentClient(const std::uint32_t* pixels, int width, int height) {
  int textureWidth = 0, textureHeight = 0;
  if (clientTexture_) SDL_QueryTexture(clientTexture_, nullptr, nullptr, &textureWidth, &textureHeight);
  if (!clientTexture_ || textureWidth != width || textureHeight != height) {
    if (clientTexture_) SDL_DestroyTexture(clientTexture_);
    // RGB888 ignores the top byte, which the client area leaves 0.
    clientTexture_ = width > 0 && height > 0 ? SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888,
                                                                  SDL_TEXTUREACCESS_STREAMING, width, height)
                                             : nullptr;
  }
  if (clientTexture_) SDL_UpdateTexture(clientTexture_, nullptr, pixels, width * int(sizeof(std::uint32_t)));
  client_ = SDL_Point{width, height};
  show();
}

void SdlHost::setCursorVisible(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

}  // namespace platform
