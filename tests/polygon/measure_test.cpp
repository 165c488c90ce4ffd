#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "polygon/convex_parts.h"
#include "polygon/measure.h"
#include "polygon/test_shapes.h"

namespace {

TEST(Measure, CubeVolumeAndAreaExactAnywhere) {
  struct Case {
    float offset;
    bool reversed;
    double volume;
  };
  for (const Case& c : {Case{0, false, 8.0}, Case{0, true, -8.0}, Case{1e6f, false, 8.0}, Case{-3e4f, true, -8.0}}) {
    const PolyListRef cube = cubeAt(1, c.offset, -c.offset, c.offset, c.reversed);
    EXPECT_DOUBLE_EQ(solidVolume(*cube), c.volume) << c.offset;
    EXPECT_DOUBLE_EQ(surfaceArea(*cube), 24.0) << c.offset;
  }
  EXPECT_EQ(solidVolume(PolyList()), 0.0);
}

TEST(Measure, TetrahedronIsASixthOfItsBox) {
  const Point3 p[4] = {pt(0, 0, 0), pt(1, 0, 0), pt(0, 1, 0), pt(0, 0, 1)};
  const PolyListRef tetra = listOf({PolyRef(p, 3, 0, 2, 1), PolyRef(p, 3, 0, 1, 3), PolyRef(p, 3, 0, 3, 2),
                                    PolyRef(p, 3, 1, 2, 3)});
  EXPECT_NEAR(solidVolume(*tetra), 1.0 / 6.0, 1e-15);
  EXPECT_NEAR(surfaceArea(*tetra), 1.5 + std::sqrt(3.0) / 2.0, 1e-7);
}

// A ring too long for one polygon is cut into a fan of parts that fit, lie
// in its plane and cover exactly its area.
TEST(ConvexParts, LongRingsComeAsCoplanarPartsCoveringTheRing) {
  for (const int n : {3, 255, 256, 257, 510, 1000}) {
    const std::vector<Point3> ring = circle(n);
    PolyList list;
    addConvexRing(list, ring.data(), n);
    const Polys parts = contents(list);
    ASSERT_EQ(static_cast<int>(parts.size()), convexPartCount(n)) << n;
    double total = 0.0;
    int vertices = 0;
    for (const CountedPoly* p : parts) {
      EXPECT_LE(p->vertexCount, kMaxVertexCount);
      EXPECT_NEAR(p->plane.z, 1.0f, 1e-6f);
      vertices += p->vertexCount;
    }
    total = surfaceArea(list);
    EXPECT_NEAR(total, 0.5 * n * std::sin(2 * M_PI / n), 1e-5) << n;
    // Neighbouring parts share the first vertex and one more.
    EXPECT_EQ(vertices, n + 2 * (static_cast<int>(parts.size()) - 1)) << n;
  }
}

}  // namespace
