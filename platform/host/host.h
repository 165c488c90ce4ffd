// The narrow interface between the Win32 subset and what lies below it: a
// real window (SDL2) or a headless test instrument. USER turns host input
// into messages; DirectDraw hands every flipped frame to the host.
#ifndef KELVANE_PLATFORM_HOST_H
#define KELVANE_PLATFORM_HOST_H

#include <array>
#include <cstdint>
#include <memory>

namespace platform {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

struct Rgb {
  std::uint8_t r, g, b;
};
using Palette = std::array<Rgb, 256>;

struct InputEvent {
  enum Kind { MouseMove, LeftDown, LeftUp, KeyDown, Activate, Deactivate, Close, Resize };
  Kind kind;
  // Mouse events: the pixel in the 640 x 480 frame, or in the client area
  // of a window that does not cover the screen. Resize: the client area's
  // new width and height.
  int x = 0;
  int y = 0;
  unsigned key = 0;  // Win32 virtual-key code, for KeyDown
  bool alt = false;  // KeyDown with Alt held: a system key
};

class Host {
 public:
  virtual ~Host() = default;

  // Size of the screen the window is made to cover (GetSystemMetrics).
  virtual int screenWidth() const = 0;
  virtual int screenHeight() const = 0;

  // Next input event without blocking; false when none is pending.
  virtual bool pollEvent(InputEvent& event) = 0;
  // Blocks until an event is pending. Returns false when no event can ever
  // come (the headless script ran out); the caller then ends the run.
  virtual bool waitEvent() = 0;
  // Waits at most `milliseconds` for an event; true when one is pending.
  // Without a clock of its own a host lets the time pass at once.
  virtual bool waitEventFor(int /*milliseconds*/) { return false; }

  // A flipped 640 x 480 frame of palette indices, row by row.
  virtual void present(const std::uint8_t* pixels, const Palette& palette) = 0;
  // The window left the screen for a resizable window with a client area
  // of this size (true), or covers the screen again (false).
  virtual void showWindowed(bool /*windowed*/, int /*width*/, int /*height*/) {}
  // What the client area's device context drew, 0x00RRGGBB row by row.
  virtual void presentClient(const std::uint32_t* /*pixels*/, int /*width*/, int /*height*/) {}
  // The cursor is shown while ShowCursor's counter is >= 0.
  virtual void setCursorVisible(bool visible) = 0;
};

// The host the platform calls is installed once, before WinMain runs.
void setHost(std::unique_ptr<Host> host);
Host& host();
bool hasHost();

}  // namespace platform

#endif
