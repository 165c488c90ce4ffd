// Culling, shading and projecting single polygons.
#include <cmath>
#include <limits>

#include "display/current_viewer.h"
#include "display/headless.h"
#include "display/light.h"

namespace {

TEST(DrawPolyTest, GreyLevelsOfTheCubeNormals) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::pair<Vector3, int> cases[] = {{{0, 0, 1}, 164}, {{1, 0, 0}, 126}, {{0, 1, 0}, 202},
                                           {{-1, 0, 0}, 76}, {{0, -1, 0}, 76}, {{0, 0, -1}, 76},
                                           {lightDirection(), 229}, {{nan, 0, 0}, 76}};
  for (const auto& [normal, grey] : cases) EXPECT_EQ(greyLevel(normal), grey) << normal.x << "," << normal.y;
}

// With the model unturned and the eye at (0, 0, eyeZ), draws the polygon.
void drawAlone(const PolyRef& poly, float eyeZ) {
  ASSERT_TRUE(theViewer->beginFrame());
  theViewer->combined = theViewer->camera.viewProjection;
  theViewer->eyeInModel = Point3(0, 0, eyeZ, 1);
  platform::clearTrace();
  drawPoly(poly);
  theViewer->endFrame();
}

// Edge-on counts as facing away, the smallest positive distance does not.
// The ring has more vertices than the Viewer's point buffer holds: every
// one reaches GDI.
TEST(DrawPolyTest, FillsWhatFacesTheEyeWhole) {
  headless::startProgram();
  std::vector<Point3> ring;
  for (int k = 0; k < 200; ++k)
    ring.emplace_back(0.5f * std::cos(k * 0.0314159f), 0.5f * std::sin(k * 0.0314159f), 0.0f, 1.0f);
  PolyRef disc;
  disc = new CountedPoly(ring.data(), 200);
  const Point3 last = ring.back() * theViewer->camera.viewProjection;
  const POINT lastPixel = theViewer->toScreen(Point2(last.x, last.y));
  const std::string tail = "(" + std::to_string(lastPixel.x) + "," + std::to_string(lastPixel.y) + ")}, 200)";
  for (const float z : {5.0f, 1e-30f, 0.0f, -5.0f}) {
    drawAlone(disc, z);
    const auto faced = z > 0 ? std::vector<std::string>{"CreateSolidBrush(0xa4a4a4)"} : std::vector<std::string>{};
    EXPECT_EQ(headless::calls("CreateSolidBrush("), faced) << "eye z " << z;
    EXPECT_EQ(headless::countCalls("DeleteObject("), z > 0 ? 1 : 0) << "eye z " << z;
    const auto drawn = headless::calls("Polygon(");
    ASSERT_EQ(drawn.size(), z > 0 ? 1u : 0u) << "eye z " << z;
    EXPECT_TRUE(drawn.empty() || drawn[0].find(tail) != std::string::npos) << drawn[0];
  }
}

}  // namespace
