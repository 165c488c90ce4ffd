// Lines and polygon fills against literal reference rasterisers, over
// thousands of random and extreme cases, as the ellipse is checked.
//
// The references follow the pixel rules as stated, with exact rationals and
// no stepping: a line's pixel at step t along the longer axis takes the
// ideal minor coordinate rounded to nearest with exact halves down,
// ceil(v - 1/2); a fill crosses each row with every edge that has
// ymin <= y < ymax at its exact x, sorts the crossings and fills
// ceil(xl) <= x < ceil(xr) for each pair. Only the pixels on the canvas are
// computed, so that a line or edge billions of pixels long costs no more
// than its visible part.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <string>
#include <vector>

#include "guarded_canvas.h"
#include "platform/gdi/wide_math.h"

namespace {

using platform::ceilDiv;
using platform::Wide;

struct Fraction {
  Wide num, den;  // den > 0
  bool operator<(const Fraction& o) const { return num * o.den < o.num * den; }
};

void set(Pixels& pixels, int width, int height, Wide x, Wide y, std::uint8_t colour) {
  if (x >= 0 && x < width && y >= 0 && y < height) pixels[std::size_t(y) * width + std::size_t(x)] = colour;
}

void referenceLine(Pixels& pixels, int width, int height, POINT from, POINT to, std::uint8_t colour) {
  const Wide dx = Wide(to.x) - from.x, dy = Wide(to.y) - from.y;
  const bool alongX = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
  const Wide majorStart = alongX ? from.x : from.y, majorDelta = alongX ? dx : dy;
  const Wide minorStart = alongX ? from.y : from.x, minorDelta = alongX ? dy : dx;
  const Wide d = majorDelta < 0 ? -majorDelta : majorDelta, step = majorDelta < 0 ? -1 : 1;
  const Wide size = alongX ? width : height;
  // The steps t in [0, d) whose major coordinate majorStart + step * t is on the canvas.
  Wide first = step > 0 ? -majorStart : majorStart - (size - 1), last = step > 0 ? size - 1 - majorStart : majorStart;
  first = std::max<Wide>(first, 0), last = std::min<Wide>(last, d - 1);
  for (Wide t = first; t <= last; ++t) {
    // minorStart + minorDelta * t / d - 1/2, rounded up.
    const Wide minor = ceilDiv<Wide>(2 * (minorStart * d + minorDelta * t) - d, 2 * d);
    const Wide major = majorStart + step * t;
    set(pixels, width, height, alongX ? major : minor, alongX ? minor : major, colour);
  }
}

void referenceFill(Pixels& pixels, int width, int height, const std::vector<POINT>& ring, std::uint8_t colour) {
  for (int y = 0; y < height; ++y) {
    std::vector<Fraction> crossings;
    for (std::size_t i = 0; i < ring.size(); ++i) {
      const POINT a = ring[i], b = ring[(i + 1) % ring.size()];
      if (a.y == b.y || y < std::min(a.y, b.y) || y >= std::max(a.y, b.y)) continue;
      // x = a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y)
      Wide den = Wide(b.y) - a.y, num = Wide(a.x) * den + (Wide(y) - a.y) * (Wide(b.x) - a.x);
      if (den < 0) num = -num, den = -den;
      crossings.push_back({num, den});
    }
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
      const Wide from = std::max<Wide>(ceilDiv(crossings[k].num, crossings[k].den), 0);
      const Wide to = std::min<Wide>(ceilDiv(crossings[k + 1].num, crossings[k + 1].den), width);
      for (Wide x = from; x < to; ++x) set(pixels, width, height, x, y, colour);
    }
  }
}

// Polygon as GDI draws it: the fill, then with a pen every edge, the
// closing one included.
Pixels referencePolygon(int width, int height, const std::vector<POINT>& ring, bool withPen) {
  Pixels pixels(std::size_t(width) * height, 0);
  referenceFill(pixels, width, height, ring, indexOf(kBrush));
  if (withPen) {
    for (std::size_t i = 0; i < ring.size(); ++i) {
      referenceLine(pixels, width, height, ring[i], ring[(i + 1) % ring.size()], indexOf(kPen));
    }
  }
  return pixels;
}

std::string pointsText(const std::vector<POINT>& points) {
  std::string text;
  for (const POINT& p : points) text += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
  return text;
}

// Coordinates near a 40 x 30 canvas, within 16-bit range, anywhere in 32
// bits, or one of the values where arithmetic tends to break.
class Coordinates {
 public:
  explicit Coordinates(unsigned seed) : random_(seed) {}
  LONG next(int kind) {
    static const int special[] = {INT_MIN, INT_MIN + 1, INT_MAX, INT_MAX - 1, -25536, 40000, -1, 0, 1 << 27};
    switch (kind % 4) {
      case 0: return between(-30, 70);
      case 1: return between(-32768, 32767);
      case 2: return between(INT_MIN, INT_MAX);
      default: return special[between(0, 8)];
    }
  }
  int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

 private:
  std::mt19937 random_;
};

class RasterReferenceTest : public ::testing::Test, protected FreshPlatform {
 protected:
  GuardedCanvas canvas{40, 30, 4};
};

TEST_F(RasterReferenceTest, LinesMatchTheReference) {
  useColours(canvas);
  Coordinates random(11);
  for (int round = 0; round < 6000; ++round) {
    // Mostly near the canvas, so that most lines show; every tenth end
    // anywhere, every fortieth one of the special values.
    auto kindOf = [&] { return round % 40 == 0 ? 3 : round % 10 == 0 ? random.between(1, 2) : 0; };
    const POINT from{random.next(kindOf()), random.next(kindOf())}, to{random.next(kindOf()), random.next(kindOf())};
    canvas.clear();
    ASSERT_TRUE(MoveToEx(canvas.dc(), from.x, from.y, nullptr));
    ASSERT_TRUE(LineTo(canvas.dc(), to.x, to.y));
    Pixels expected(std::size_t(canvas.width()) * canvas.height(), 0);
    referenceLine(expected, canvas.width(), canvas.height(), from, to, indexOf(kPen));
    expectPixels(canvas, expected, "line " + pointsText({from, to}));
  }
}

TEST_F(RasterReferenceTest, PolygonsMatchTheReferenceWithAndWithoutAPen) {
  Coordinates random(13);
  for (int round = 0; round < 4000; ++round) {
    const bool withPen = round % 2 == 0;
    useColours(canvas, withPen);
    std::vector<POINT> ring(3 + random.between(0, 5));
    for (POINT& p : ring) {
      const int kind = round % 25 == 0 ? 3 : round % 8 == 0 ? random.between(1, 2) : 0;
      p = {random.next(kind), random.next(kind)};
    }
    canvas.clear();
    ASSERT_TRUE(Polygon(canvas.dc(), ring.data(), int(ring.size())));
    expectPixels(canvas, referencePolygon(canvas.width(), canvas.height(), ring, withPen),
                 (withPen ? "polygon " : "fill ") + pointsText(ring));
  }
}

}  // namespace
