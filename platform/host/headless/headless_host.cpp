#include "platform/host/headless/headless_host.h"

#include <cstdio>
#include <utility>

#include "platform/host/headless/png_io.h"
#include "platform/trace/trace.h"

namespace platform {

HeadlessHost::HeadlessHost(std::vector<ScriptStep> script, int screenWidth, int screenHeight)
    : script_(std::move(script)), screenWidth_(screenWidth), screenHeight_(screenHeight) {}

bool HeadlessHost::pollEvent(InputEvent& event) {
  if (pending_.empty()) return false;
  event = pending_.front();
  pending_.pop_front();
  return true;
}

bool HeadlessHost::waitEvent() {
  // A step of commands alone brings no input, so the next one follows.
  while (pending_.empty()) {
    if (nextStep_ == script_.size()) {
      std::fprintf(stderr, "kelvane: the input script ran out after %zu steps while the program waits for input\n",
                   script_.size());
      return false;
    }
    for (const ScriptEvent& event : script_[nextStep_++]) {
      if (event.kind == ScriptEvent::LoseSurfaces) {
        injectFault(kLoseSurfaces);
      } else {
        pending_.push_back(event.input);
      }
    }
  }
  return true;
}

void HeadlessHost::present(const std::uint8_t* pixels, const Palette& palette) {
  ++frameCount_;
  if (writing_ && (chosen_.empty() || chosen_.count(frameCount_))) write(pixels, palette);
  if (keeping_ != FrameKeeping::None) keep(pixels, palette);
}

void HeadlessHost::setCursorVisible(bool visible) { cursorChanges_.push_back(visible); }

void HeadlessHost::showWindowed(bool windowed, int, int) { windowed_ = windowed; }

void HeadlessHost::presentClient(const std::uint32_t* pixels, int width, int height) {
  if (keeping_ == FrameKeeping::None) return;
  if (keeping_ == FrameKeeping::Latest) clientFrames_.clear();
  clientFrames_.push_back(ClientFrame{width, height, std::vector<std::uint32_t>(pixels, pixels + std::size_t(width) * height)});
}

void HeadlessHost::writeFrames(const std::string& prefix, std::set<int> chosen) {
  writing_ = true;
  prefix_ = prefix;
  chosen_ = std::move(chosen);
}

void HeadlessHost::keepFrames(FrameKeeping which) {
  keeping_ = which;
  if (which == FrameKeeping::None) {
    frames_.clear();
    clientFrames_.clear();
  }
}

void HeadlessHost::keep(const std::uint8_t* pixels, const Palette& palette) {
  if (keeping_ == FrameKeeping::All || frames_.empty()) {
    frames_.emplace_back();
  } else {
    frames_.erase(frames_.begin(), frames_.end() - 1);
  }
  Frame& frame = frames_.back();
  frame.number = frameCount_;
  frame.pixels.assign(pixels, pixels + kScreenWidth * kScreenHeight);
  frame.palette = palette;
}

void HeadlessHost::write(const std::uint8_t* pixels, const Palette& palette) {
  char number[16];
  std::snprintf(number, sizeof number, "%04d", frameCount_);
  std::string error;
  if (!writeIndexedPng(prefix_ + number + ".png", pixels, kScreenWidth, kScreenHeight, palette, &error) &&
      writeError_.empty()) {
    writeError_ = error;
  }
}

}  // namespace platform
