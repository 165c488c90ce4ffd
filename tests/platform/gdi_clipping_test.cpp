// Whatever the coordinates, drawing stays on the canvas: extreme values,
// values wrapped to 16 bits as the program's projection makes them, and
// everything in between.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "guarded_canvas.h"
#include "platform/ellipse_raster.h"

namespace {

class CoordinateSource {
 public:
  explicit CoordinateSource(unsigned seed) : random_(seed) {}

  int next() {
    switch (std::uniform_int_distribution<int>(0, 5)(random_)) {
      case 0: return std::uniform_int_distribution<int>(INT_MIN, INT_MAX)(random_);
      case 1: return std::uniform_int_distribution<int>(-32768, 32767)(random_);
      case 2: return std::uniform_int_distribution<int>(-100, 200)(random_);
      case 3: return pick({INT_MIN, INT_MIN + 1, INT_MAX, INT_MAX - 1, -25536, 40000, 0, -1});
      case 4: return int(std::uniform_int_distribution<std::int64_t>(-platform::kEllipseCoordinateLimit,
                                                                     platform::kEllipseCoordinateLimit)(random_));
      default: return std::uniform_int_distribution<int>(-2000, 2000)(random_);
    }
  }

 private:
  int pick(std::initializer_list<int> values) {
    auto it = values.begin() + std::uniform_int_distribution<int>(0, int(values.size()) - 1)(random_);
    return *it;
  }
  std::mt19937 random_;
};

TEST(ClippingTest, RandomCoordinatesNeverWriteOutsideTheCanvas) {
  FreshPlatform fresh;
  GuardedCanvas canvas(64, 48);
  SelectObject(canvas.dc(), CreatePen(PS_SOLID, 0, RGB(255, 0, 0)));
  SelectObject(canvas.dc(), CreateSolidBrush(RGB(0, 0, 255)));
  CoordinateSource source(3);
  for (int round = 0; round < 3000; ++round) {
    MoveToEx(canvas.dc(), source.next(), source.next(), nullptr);
    LineTo(canvas.dc(), source.next(), source.next());
    POINT ring[5];
    for (POINT& p : ring) p = {source.next(), source.next()};
    Polygon(canvas.dc(), ring, 2 + round % 4);
    Ellipse(canvas.dc(), source.next(), source.next(), source.next(), source.next());
    ASSERT_EQ(canvas.guardDamage(), "") << "round " << round;
  }
}

// A face whose far vertex wrapped from x = 40000 to -25536 still fills
// only the canvas, and the part of it on the canvas is what it would be.
TEST(ClippingTest, WrappedVertexFillsExactlyTheCanvasPart) {
  FreshPlatform fresh;
  GuardedCanvas canvas(64, 48);
  const std::uint8_t blue = indexOf(RGB(0, 0, 255));
  SelectObject(canvas.dc(), CreatePen(5 /* PS_NULL */, 0, 0));
  SelectObject(canvas.dc(), CreateSolidBrush(RGB(0, 0, 255)));
  const POINT face[] = {{10, 0}, {-25536, 0}, {-25536, 40}, {10, 40}};
  Polygon(canvas.dc(), face, 4);
  EXPECT_EQ(canvas.rowRuns(0, blue), "0..9");
  EXPECT_EQ(canvas.rowRuns(39, blue), "0..9");
  EXPECT_EQ(canvas.rowRuns(40, blue), "");
  EXPECT_EQ(canvas.guardDamage(), "");
}

}  // namespace
