// The host without a screen, a test instrument: input comes from a script
// (input_script.h) that is handed over one step at a time whenever the
// program waits for input, every flip is counted and, as asked, kept, and
// chosen frames are written as indexed PNG files with their palette.
#ifndef KELVANE_PLATFORM_HEADLESS_HOST_H
#define KELVANE_PLATFORM_HEADLESS_HOST_H

#include <cstddef>
#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "platform/host/host.h"
#include "platform/host/headless/input_script.h"

namespace platform {

struct Frame {
  int number;  // 1 for the first flip
  std::vector<std::uint8_t> pixels;  // 640 x 480 palette indices, row by row
  Palette palette;
};

// A picture drawn on the window's client area while it is a resizable window.
struct ClientFrame {
  int width;
  int height;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, row by row
};

// Which flipped frames frames() holds: every one, only the latest (its
// buffer reused, so that a long run costs one frame), or none.
enum class FrameKeeping { All, Latest, None };

class HeadlessHost : public Host {
 public:
  explicit HeadlessHost(std::vector<ScriptStep> script, int screenWidth = kScreenWidth,
                        int screenHeight = kScreenHeight);

  int screenWidth() const override { return screenWidth_; }
  int screenHeight() const override { return screenHeight_; }
  // Only the events of steps already handed over: looking never advances
  // the script.
  bool pollEvent(InputEvent& event) override;
  // Hands over the next step; when none is left, says so on stderr and
  // answers false.
  bool waitEvent() override;
  void present(const std::uint8_t* pixels, const Palette& palette) override;
  void setCursorVisible(bool visible) override;
  void showWindowed(bool windowed, int width, int height) override;
  void presentClient(const std::uint32_t* pixels, int width, int height) override;

  // Every flipped frame is kept until this says otherwise.
  void keepFrames(FrameKeeping which);
  void keepAllFrames(bool keep) { keepFrames(keep ? FrameKeeping::All : FrameKeeping::Latest); }
  // From now on, writes each flip whose number is in `chosen` (every flip
  // when it is empty) at once to `prefix` + its number in four digits +
  // ".png"; a failure is kept in writeError().
  void writeFrames(const std::string& prefix, std::set<int> chosen = {});

  int frameCount() const { return frameCount_; }
  const std::vector<Frame>& frames() const { return frames_; }
  const std::string& writeError() const { return writeError_; }
  // Every visibility the cursor was given, in order.
  const std::vector<bool>& cursorChanges() const { return cursorChanges_; }
  // Client-area pictures, kept as the flipped frames are (all, or the latest).
  const std::vector<ClientFrame>& clientFrames() const { return clientFrames_; }
  // Whether the window is a resizable window now, as the platform last said.
  bool windowed() const { return windowed_; }
  std::size_t stepsHandedOver() const { return nextStep_; }
  std::size_t stepsLeft() const { return script_.size() - nextStep_; }

 private:
  void keep(const std::uint8_t* pixels, const Palette& palette);
  void write(const std::uint8_t* pixels, const Palette& palette);

  std::vector<ScriptStep> script_;
  std::size_t nextStep_ = 0;
  std::deque<InputEvent> pending_;
  int screenWidth_;
  int screenHeight_;
  int frameCount_ = 0;
  FrameKeeping keeping_ = FrameKeeping::All;
  std::vector<Frame> frames_;
  bool writing_ = false;
  std::string prefix_;
  std::set<int> chosen_;
  std::string writeError_;
  std::vector<bool> cursorChanges_;
  std::vector<ClientFrame> clientFrames_;
  bool windowed_ = false;
};

}  // namespace platform

#endif
