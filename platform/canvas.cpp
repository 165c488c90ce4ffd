#include "platform/canvas.h"

#include <algorithm>
#include <cstring>

namespace platform {

void fillSpan(const Canvas& canvas, std::int64_t y, std::int64_t xFrom, std::int64_t xTo, std::uint8_t colour) {
  if (y < 0 || y >= canvas.height) return;
  std::int64_t from = std::max<std::int64_t>(xFrom, 0);
  std::int64_t to = std::min<std::int64_t>(xTo, canvas.width);
  if (from >= to) return;
  std::memset(canvas.pixels + y * canvas.pitch + from, colour, static_cast<std::size_t>(to - from));
}

}  // namespace platform
