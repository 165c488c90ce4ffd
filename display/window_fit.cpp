#include "display/window_fit.h"

#include <algorithm>
#include <cstdint>

int wholeScale(int width, int height) { return std::max(0, std::min(width / kPictureWidth, height / kPictureHeight)); }

PictureFit fitPicture(int clientWidth, int clientHeight) {
  clientWidth = std::max(clientWidth, 0);
  clientHeight = std::max(clientHeight, 0);
  int width = kPictureWidth * wholeScale(clientWidth, clientHeight);
  int height = kPictureHeight * wholeScale(clientWidth, clientHeight);
  if (width == 0) {
    // The side that runs out first decides; 64-bit, as a client area may be
    // as wide as a coordinate goes.
    const bool widthDecides = std::int64_t(clientWidth) * kPictureHeight <= std::int64_t(clientHeight) * kPictureWidth;
    width = widthDecides ? clientWidth : static_cast<int>(std::int64_t(clientHeight) * kPictureWidth / kPictureHeight);
    height = widthDecides ? static_cast<int>(std::int64_t(clientWidth) * kPictureHeight / kPictureWidth) : clientHeight;
  }
  return PictureFit{(clientWidth - width) / 2, (clientHeight - height) / 2, width, height};
}

std::array<RECT, 4> barsAround(const PictureFit& fit, int clientWidth, int clientHeight) {
  const LONG right = fit.left + fit.width;
  const LONG bottom = fit.top + fit.height;
  return {RECT{0, 0, clientWidth, fit.top}, RECT{0, bottom, clientWidth, clientHeight},
          RECT{0, fit.top, fit.left, bottom}, RECT{right, fit.top, clientWidth, bottom}};
}

// Floor division, so that the pixels left of the picture map to negative
// columns rather than to column 0.
POINT pictureOf(const PictureFit& fit, const POINT& client) {
  auto map = [](LONG at, int origin, int shown, int picture) {
    const std::int64_t scaled = std::int64_t(at - origin) * picture;
    const std::int64_t quotient = scaled / shown;
    return static_cast<LONG>(scaled % shown < 0 ? quotient - 1 : quotient);
  };
  if (fit.width <= 0 || fit.height <= 0) return client;
  return POINT{map(client.x, fit.left, fit.width, kPictureWidth), map(client.y, fit.top, fit.height, kPictureHeight)};
}
