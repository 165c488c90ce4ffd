// Pixel rules of polygons and ellipses at the edges a random comparison
// rarely reaches; lines, fills and clipping are checked against their
// references in raster_reference_test.
//
// The ellipse reference is the documented walk run literally over the
// inclusive box (corners sorted, right and bottom less one), with the brush
// between each row's outermost outline pixels; a box at most 2 pixels thin
// is the pen's rectangle path, or without a pen the brush less its right
// column and bottom row.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "guarded_canvas.h"
#include "platform/gdi/ellipse_raster.h"
#include "platform/gdi/wide_math.h"

namespace {

using platform::Wide;

Pixels referenceEllipse(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom, int width,
                        int height, bool withPen = true) {
  const std::int64_t L = std::min(left, right), T = std::min(top, bottom);
  const std::int64_t R = std::max(left, right) - 1, B = std::max(top, bottom) - 1;
  Pixels pixels(std::size_t(width) * height, 0);
  if (R - L < 2 || B - T < 2) {
    auto cover = [&](std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, std::uint8_t colour) {
      for (std::int64_t y = std::max<std::int64_t>(y0, 0); y <= y1 && y < height; ++y) {
        for (std::int64_t x = std::max<std::int64_t>(x0, 0); x <= x1 && x < width; ++x) pixels[y * width + x] = colour;
      }
    };
    if (!withPen) {
      cover(L, T, R - 1, B - 1, indexOf(kBrush));
    } else if (R > L || B > T) {
      cover(L, T, R, B, indexOf(kPen));
    }
    return pixels;
  }
  std::vector<std::pair<std::int64_t, std::int64_t>> extent(height, {INT64_MAX, INT64_MIN}), outline;
  auto plot = [&](std::int64_t x, std::int64_t y) {
    if (y < 0 || y >= height) return;
    extent[y] = {std::min(extent[y].first, x), std::max(extent[y].second, x)};
    if (x >= 0 && x < width) outline.emplace_back(x, y);
  };
  const Wide a = R - L, b = B - T, b1 = b & 1;
  Wide dx = 4 * (1 - a) * b * b, dy = 4 * (b1 + 1) * a * a, err = dx + dy + b1 * a * a;
  std::int64_t x0 = L, x1 = R, y0 = T + std::int64_t((b + 1) / 2), y1 = y0 - std::int64_t(b1);
  do {
    plot(x0, y0), plot(x1, y0), plot(x0, y1), plot(x1, y1);
    const Wide e2 = 2 * err;
    if (e2 < dx && e2 > dy) break;  // only on the centre column: the walk is over
    if (e2 >= dx) ++x0, --x1, dx += 8 * b * b, err += dx;
    if (e2 <= dy) ++y0, --y1, dy += 8 * a * a, err += dy;
  } while (x0 <= x1);
  for (int y = 0; y < height; ++y) {
    for (std::int64_t x = std::max<std::int64_t>(extent[y].first, 0); x <= extent[y].second && x < width; ++x) {
      pixels[y * width + x] = indexOf(kBrush);
    }
  }
  for (const auto& [x, y] : outline) pixels[y * width + x] = indexOf(withPen ? kPen : kBrush);
  return pixels;
}

void expectEllipseLikeReference(GuardedCanvas& canvas, std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b,
                                bool withPen = true) {
  canvas.clear();
  ASSERT_TRUE(Ellipse(canvas.dc(), int(l), int(t), int(r), int(b)));
  expectPixels(canvas, referenceEllipse(l, t, r, b, canvas.width(), canvas.height(), withPen),
               "box " + testing::PrintToString(std::vector<std::int64_t>{l, t, r, b}) + (withPen ? "" : " without pen"));
}

class RasterTest : public ::testing::Test, protected FreshPlatform {
 protected:
  void SetUp() override { useColours(canvas); }

  GuardedCanvas canvas{640, 480, 4};
  const std::uint8_t pen = indexOf(kPen), brush = indexOf(kBrush);
};

// Fills are checked against their reference; this anchors the outline of a
// known box, and the two-point ring that random rings never are.
TEST_F(RasterTest, ThePenClosesTheRingAndTwoPointsAreASegment) {
  const POINT box[] = {{10, 5}, {20, 5}, {20, 15}, {10, 15}}, segment[] = {{40, 20}, {30, 40}};
  EXPECT_TRUE(Polygon(canvas.dc(), box, 4));
  expectRuns(canvas, {{Runs::Row, 5, pen, "10..20"},
                      {Runs::Row, 15, pen, "10..20"},
                      {Runs::Row, 10, pen, "10 20"},
                      {Runs::Row, 10, brush, "11..19"}});
  EXPECT_TRUE(Polygon(canvas.dc(), segment, 2));  // both ends drawn
  EXPECT_EQ(canvas.rowRuns(20, pen), "40");
  EXPECT_EQ(canvas.rowRuns(40, pen), "30");
}

TEST_F(RasterTest, EllipsesStayInTheirBoxAndFollowTheWalk) {
  EXPECT_TRUE(Ellipse(canvas.dc(), 200, 120, 441, 361));
  expectRuns(canvas, {{Runs::Row, 120, pen, "310..330"},
                      {Runs::Row, 360, pen, "310..330"},
                      {Runs::Row, 240, pen, "200 440"},
                      {Runs::Row, 240, brush, "201..439"},
                      {Runs::Row, 119, 0, "0..639"},
                      {Runs::Row, 361, 0, "0..639"},
                      {Runs::Column, 199, 0, "0..479"},
                      {Runs::Column, 441, 0, "0..479"}});
  expectEllipseLikeReference(canvas, 200, 120, 441, 361);
  expectEllipseLikeReference(canvas, 441, 361, 200, 120);
  GuardedCanvas small(48, 40);
  useColours(small);
  for (int w = 3; w <= 30; ++w) {
    for (int h = 3; h <= 30; ++h) expectEllipseLikeReference(small, 4, 3, 4 + w, 3 + h);
  }
  // A piece of a box up to 40 000 pixels across, so that the first visible
  // row lies deep into the walk: flat, tall and round boxes in turn.
  std::mt19937 random(5);
  std::uniform_int_distribution<int> side(3, 40000);
  std::uniform_real_distribution<double> angle(0, 6.283185307179586);
  for (int round = 0; round < 600; ++round) {
    std::int64_t w = side(random), h = side(random);
    const double phi = angle(random);
    if (round % 3 < 2) (round % 3 ? w : h) /= 400;
    const auto l = std::int64_t(24 - (w / 2.0) * (1 + std::cos(phi))),
               t = std::int64_t(20 - (h / 2.0) * (1 + std::sin(phi)));
    expectEllipseLikeReference(small, l, t, l + w + 3, t + h + 3);
  }

  canvas.clear();
  Ellipse(canvas.dc(), 10, 10, 10, 40);  // empty boxes draw nothing, thin ones are rectangles
  Ellipse(canvas.dc(), 10, 10, 40, 10);
  Ellipse(canvas.dc(), 10, 20, 40, 22);
  EXPECT_EQ(canvas.rowRuns(10, pen), "");
  EXPECT_EQ(canvas.rowRuns(21, pen), "10..39");
  EXPECT_EQ(canvas.rowRuns(22, pen), "");
  const int limit = int(platform::kEllipseCoordinateLimit);
  EXPECT_TRUE(Ellipse(canvas.dc(), -limit, -limit, limit, limit));
  EXPECT_FALSE(Ellipse(canvas.dc(), -limit - 1, 0, 10, 10));
  EXPECT_EQ(canvas.rowRuns(200, brush), "0..639");
}

// Boxes at most 2 pixels thin, with and without a pen, and a null pen on
// every size: the brush alone covers what outline and fill cover with one.
// The thin rule with a pen is anchored in the test above.
TEST_F(RasterTest, ThinBoxesAreRectanglesAndANullPenDoesNotShrinkTheEllipse) {
  GuardedCanvas noPen(640, 480, 4);
  useColours(noPen, false);
  EXPECT_TRUE(Ellipse(noPen.dc(), 50, 420, 250, 422));
  EXPECT_EQ(noPen.rowRuns(420, brush), "50..248");
  EXPECT_EQ(noPen.rowRuns(421, brush), "");
  expectEllipseLikeReference(noPen, 200, 120, 441, 361, false);
  GuardedCanvas small(24, 20);
  for (bool withPen : {true, false}) {
    useColours(small, withPen);
    for (int w = 1; w <= 12; ++w) {
      for (int h = 1; h <= 12; ++h) {
        expectEllipseLikeReference(small, 5, 4, 5 + w, 4 + h, withPen);
        expectEllipseLikeReference(small, 5 + w, 4 + h, 5, 4, withPen);
      }
    }
  }
}

}  // namespace
