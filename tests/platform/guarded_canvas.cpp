#include "guarded_canvas.h"

#include <algorithm>

#include "platform/gdi_objects.h"
#include "platform/direct_draw_state.h"
#include "platform/palette.h"
#include "platform/trace.h"

namespace {

std::string runsText(const std::vector<int>& positions) {
  std::string text;
  for (std::size_t i = 0; i < positions.size();) {
    std::size_t j = i;
    while (j + 1 < positions.size() && positions[j + 1] == positions[j] + 1) ++j;
    if (!text.empty()) text += " ";
    text += std::to_string(positions[i]);
    if (j > i) text += ".." + std::to_string(positions[j]);
    i = j + 1;
  }
  return text;
}

}  // namespace

FreshPlatform::FreshPlatform() {
  platform::resetDirectDraw();
  platform::clearTrace();
}

GuardedCanvas::GuardedCanvas(int width, int height, int guard)
    : storage_(std::size_t(width + 2 * guard) * (height + 2 * guard), kGuard), guard_(guard) {
  const int pitch = width + 2 * guard;
  canvas_ = platform::Canvas{storage_.data() + guard * pitch + guard, width, height, pitch};
  clear();
  dc_ = platform::createDeviceContext(canvas_, &platform::defaultPalette());
}

GuardedCanvas::~GuardedCanvas() { platform::deleteDeviceContext(dc_); }

void GuardedCanvas::clear(std::uint8_t value) {
  for (int y = 0; y < canvas_.height; ++y) std::fill_n(canvas_.pixels + y * canvas_.pitch, canvas_.width, value);
}

std::string GuardedCanvas::guardDamage() const {
  const int pitch = canvas_.pitch;
  for (std::size_t i = 0; i < storage_.size(); ++i) {
    int x = int(i % pitch) - guard_, y = int(i / pitch) - guard_;
    bool inside = x >= 0 && x < canvas_.width && y >= 0 && y < canvas_.height;
    if (!inside && storage_[i] != kGuard) return "written outside at (" + std::to_string(x) + "," + std::to_string(y) + ")";
  }
  return "";
}

std::string GuardedCanvas::rowRuns(int y, std::uint8_t value) const {
  std::vector<int> xs;
  for (int x = 0; x < canvas_.width; ++x) {
    if (at(x, y) == value) xs.push_back(x);
  }
  return runsText(xs);
}

std::string GuardedCanvas::columnRuns(int x, std::uint8_t value) const {
  std::vector<int> ys;
  for (int y = 0; y < canvas_.height; ++y) {
    if (at(x, y) == value) ys.push_back(y);
  }
  return runsText(ys);
}

std::uint8_t indexOf(COLORREF colour) { return platform::nearestPaletteIndex(platform::defaultPalette(), colour); }
