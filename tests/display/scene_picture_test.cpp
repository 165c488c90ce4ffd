// The start-up frame as a picture, checked against what the camera and the
// light say it must show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <functional>
#include <set>
#include <vector>

#include "app/scene.h"
#include "bsp/bsp_node.h"
#include "display/headless.h"
#include "display/light.h"
#include "display/viewer.h"

namespace {

// Every polygon of the tree, in no particular order.
void forEachPoly(const BspTree& tree, const std::function<void(const Poly&)>& visit) {
  if (tree.root == nullptr) return;
  for (const PolyNode* node = tree.root->coplanar->head; node != nullptr; node = node->next) visit(*node->poly);
  forEachPoly(tree.root->back, visit);
  forEachPoly(tree.root->front, visit);
}

class StartUpFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::HeadlessHost& host = headless::startProgram();
    theViewer->drawPlainFrame();
    ASSERT_EQ(host.frameCount(), 1);
    frame = &host.frames().back();
    forEachPoly(*sceneTree, [this](const Poly& poly) {
      if (theViewer->eyeInModel.dot(poly.plane) > 0.0f) facing.push_back(&poly);
    });
    ASSERT_FALSE(facing.empty());
  }

  const platform::Frame* frame = nullptr;
  std::vector<const Poly*> facing;
};

// The display's palette holds every grey from 76 to 229 within one level.
bool nearlyIn(int grey, const std::set<int>& levels) {
  return std::any_of(levels.begin(), levels.end(), [grey](int level) { return std::abs(level - grey) <= 1; });
}

// Twice the area of the polygon's image in square pixels.
long imageArea(const Poly& poly) {
  long twice = 0;
  for (int k = 0; k < poly.vertexCount; ++k) {
    const Point3 a = poly.vertices[k] * theViewer->combined;
    const Point3 b = poly.vertices[(k + 1) % poly.vertexCount] * theViewer->combined;
    const POINT p = theViewer->toScreen(Point2(a.x, a.y));
    const POINT q = theViewer->toScreen(Point2(b.x, b.y));
    twice += static_cast<long>(p.x) * q.y - static_cast<long>(q.x) * p.y;
  }
  return std::labs(twice);
}

// A facing face seen so nearly edge-on that its image has no inside shows
// only its outline; every other facing face shows its grey.
TEST_F(StartUpFrameTest, ShowsExactlyTheGreysOfTheFacingFaces) {
  std::set<int> facingGreys;
  std::set<int> filledGreys;
  for (const Poly* poly : facing) {
    facingGreys.insert(greyLevel(poly->plane));
    if (imageArea(*poly) > 100) filledGreys.insert(greyLevel(poly->plane));
  }
  const std::set<int> shown = headless::greys(*frame);
  for (int grey : shown) EXPECT_TRUE(nearlyIn(grey, facingGreys)) << "grey " << grey << " is not a facing face's";
  for (int grey : filledGreys) EXPECT_TRUE(nearlyIn(grey, shown)) << "grey " << grey << " is not shown";
  EXPECT_GE(filledGreys.size(), 5u);
  for (int colour : headless::colours(*frame)) {
    const bool grey = (colour >> 16) == (colour & 0xff) && ((colour >> 8) & 0xff) == (colour & 0xff);
    EXPECT_TRUE(grey) << std::hex << colour;
  }
}

// The pixel positions of a logged Polygon call.
std::vector<POINT> loggedPoints(const std::string& call) {
  std::vector<POINT> points;
  for (auto at = call.find('('); (at = call.find('(', at + 1)) != std::string::npos;) {
    POINT p{};
    if (std::sscanf(call.c_str() + at, "(%d,%d)", &p.x, &p.y) == 2) points.push_back(p);
  }
  return points;
}

// Outlines are white: nothing covers the polygon drawn last, so its outline
// is white at every vertex. The background around the model is index 0.
TEST_F(StartUpFrameTest, OutlinesAreWhiteOnABackgroundOfIndexZero) {
  const auto polygons = headless::calls("Polygon(");
  ASSERT_FALSE(polygons.empty());
  const std::vector<POINT> last = loggedPoints(polygons.back());
  ASSERT_GE(last.size(), 3u) << polygons.back();
  for (const POINT& p : last) EXPECT_EQ(headless::colourAt(*frame, p.x, p.y), 0xffffff) << p.x << "," << p.y;
  EXPECT_EQ(headless::pixel(*frame, 0, 0), 0);
  EXPECT_EQ(headless::pixel(*frame, 639, 479), 0);
  EXPECT_EQ(headless::pixel(*frame, 320, 60), 0);
}

// Where the camera puts the model's facing vertices is where the pixels are.
TEST_F(StartUpFrameTest, ExtentMatchesTheCamera) {
  headless::Box expected;
  for (const Poly* poly : facing) {
    for (int k = 0; k < poly->vertexCount; ++k) {
      const Point3 p = poly->vertices[k] * theViewer->camera.viewProjection;
      const POINT pixel = theViewer->toScreen(Point2(p.x, p.y));
      expected.left = std::min<int>(expected.left, pixel.x);
      expected.right = std::max<int>(expected.right, pixel.x);
      expected.top = std::min<int>(expected.top, pixel.y);
      expected.bottom = std::max<int>(expected.bottom, pixel.y);
    }
  }
  const headless::Box drawn = headless::drawnExtent(*frame);
  EXPECT_EQ(drawn.left, expected.left);
  EXPECT_EQ(drawn.right, expected.right);
  EXPECT_EQ(drawn.top, expected.top);
  EXPECT_EQ(drawn.bottom, expected.bottom);
  // The cube's front corners (+-1, +-1, 1) are 4 units from the eye:
  // 2.3112507 / 4 of a unit, 138.7 pixels, either side of the centre. The
  // plate reaches further to the right, above and below.
  EXPECT_EQ(drawn.left, 320 - 139);
}

}  // namespace
