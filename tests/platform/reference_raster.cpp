#include "reference_raster.h"

#include <algorithm>
#include <cstdlib>

#include "platform/wide_math.h"

using platform::Wide;

std::vector<Pixel> referenceLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
  std::vector<Pixel> pixels;
  const bool xMajor = std::llabs(x1 - x0) >= std::llabs(y1 - y0);
  const std::int64_t d = xMajor ? std::llabs(x1 - x0) : std::llabs(y1 - y0);
  const std::int64_t minorStart = xMajor ? y0 : x0;
  const std::int64_t minorDelta = xMajor ? y1 - y0 : x1 - x0;
  for (std::int64_t t = 0; t < d; ++t) {
    // ideal = minorStart + minorDelta * t / d; pick the nearer integer,
    // the smaller one on a tie.
    const Wide scaled = Wide(minorDelta) * t;  // ideal offset times d
    const Wide low = platform::floorDiv<Wide>(scaled, d);
    const Wide fromLow = scaled - low * d;  // distance to low, times d
    const Wide fromHigh = d - fromLow;
    const std::int64_t minor = minorStart + std::int64_t(fromHigh < fromLow ? low + 1 : low);
    const std::int64_t major = (xMajor ? x0 : y0) + (((xMajor ? x1 - x0 : y1 - y0) > 0) ? t : -t);
    pixels.emplace_back(xMajor ? major : minor, xMajor ? minor : major);
  }
  return pixels;
}

void referenceEllipseOutline(std::int64_t L, std::int64_t T, std::int64_t R, std::int64_t B,
                             const std::function<void(const Pixel&)>& plot) {
  const Wide a = R - L, b = B - T, b1 = b & 1;
  Wide dx = 4 * (1 - a) * b * b, dy = 4 * (b1 + 1) * a * a, err = dx + dy + b1 * a * a;
  std::int64_t x0 = L, x1 = R, y0 = T + std::int64_t((b + 1) / 2), y1 = y0 - std::int64_t(b1);
  do {
    plot({x0, y0});
    plot({x1, y0});
    plot({x0, y1});
    plot({x1, y1});
    const Wide e2 = 2 * err;
    const bool xStep = e2 >= dx, yStep = e2 <= dy;
    if (!xStep && !yStep) break;  // only on the centre column: the walk is over
    if (xStep) {
      ++x0;
      --x1;
      dx += 8 * b * b;
      err += dx;
    }
    if (yStep) {
      ++y0;
      --y1;
      dy += 8 * a * a;
      err += dy;
    }
  } while (x0 <= x1);
}

std::vector<std::vector<bool>> referencePolygonFill(const std::vector<POINT>& points, int width, int height) {
  std::vector<std::vector<bool>> inside(height, std::vector<bool>(width, false));
  const std::size_t n = points.size();
  for (int y = 0; y < height; ++y) {
    std::vector<std::pair<Wide, Wide>> crossings;  // x = numerator / denominator, denominator > 0
    for (std::size_t i = 0; i < n; ++i) {
      POINT a = points[i], b = points[(i + 1) % n];
      if (a.y == b.y) continue;
      if (a.y > b.y) std::swap(a, b);
      if (y < a.y || y >= b.y) continue;
      crossings.emplace_back(Wide(a.x) * (b.y - a.y) + Wide(y - a.y) * (b.x - a.x), Wide(b.y - a.y));
    }
    std::sort(crossings.begin(), crossings.end(),
              [](const auto& p, const auto& q) { return p.first * q.second < q.first * p.second; });
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      const Wide from = platform::ceilDiv(crossings[i].first, crossings[i].second);
      const Wide to = platform::ceilDiv(crossings[i + 1].first, crossings[i + 1].second);
      for (int x = 0; x < width; ++x) {
        if (from <= x && x < to) inside[y][x] = true;
      }
    }
  }
  return inside;
}
