// The start-up frame as a picture, checked against what the camera and the
// light say it must show.
#include <cstdlib>
#include <functional>

#include "app/scene.h"
#include "bsp/bsp_node.h"
#include "display/headless.h"
#include "display/light.h"

namespace {

void forEachPoly(const BspTree& tree, const std::function<void(const Poly&)>& visit) {
  if (tree.root == nullptr) return;
  for (const PolyNode* node = tree.root->coplanar->head; node != nullptr; node = node->next) visit(*node->poly);
  forEachPoly(tree.root->back, visit);
  forEachPoly(tree.root->front, visit);
}

// A facing face seen so nearly edge-on that its image has no inside shows
// only its outline; every other facing face shows its grey. The model's
// edge is outline, so the first and last drawn pixel of every row is white.
TEST(StartUpFrameTest, ShowsTheFacingFacesGreysInsideWhiteOutlinesWhereTheCameraSays) {
  platform::HeadlessHost& host = headless::startProgram();
  theViewer->drawPlainFrame();
  ASSERT_EQ(host.frameCount(), 1);
  const platform::Frame& frame = host.frames().back();
  // The display's palette holds every grey from 76 to 229 within one level.
  const auto nearlyIn = [](int g, const std::set<int>& in) { return in.count(g - 1) + in.count(g) + in.count(g + 1); };

  std::set<int> facingGreys, filledGreys;
  headless::Box expected;
  forEachPoly(*sceneTree, [&](const Poly& poly) {
    if (theViewer->eyeInModel.dot(poly.plane) <= 0.0f) return;
    long twiceArea = 0;
    const auto pixelOf = [](const Point3& v) {
      const Point3 p = v * theViewer->camera.viewProjection;
      return theViewer->toScreen(Point2(p.x, p.y));
    };
    for (int k = 0; k < poly.vertexCount; ++k) {
      const POINT p = pixelOf(poly.vertices[k]), q = pixelOf(poly.vertices[(k + 1) % poly.vertexCount]);
      twiceArea += static_cast<long>(p.x) * q.y - static_cast<long>(q.x) * p.y;
      expected.add(p.x, p.y);
    }
    facingGreys.insert(greyLevel(poly.plane));
    if (std::labs(twiceArea) > 100) filledGreys.insert(greyLevel(poly.plane));
  });
  std::set<int> shown;  // besides black and white
  for (int c : headless::colours(frame)) {
    EXPECT_TRUE(c >> 16 == (c & 0xff) && (c >> 8 & 0xff) == (c & 0xff)) << std::hex << c;
    if (c != 0 && c != 0xffffff) shown.insert(c & 0xff);
  }
  for (int grey : shown) EXPECT_TRUE(nearlyIn(grey, facingGreys)) << "grey " << grey << " is not a facing face's";
  for (int grey : filledGreys) EXPECT_TRUE(nearlyIn(grey, shown)) << "grey " << grey << " is not shown";
  EXPECT_GE(filledGreys.size(), 5u);

  const headless::Box drawn = headless::drawnExtent(frame.pixels);
  EXPECT_EQ(drawn.sides(), expected.sides());
  // The cube's front corners (+-1, +-1, 1) are 4 units from the eye:
  // 2.3112507 / 4 of a unit, 138.7 pixels, left of the centre.
  EXPECT_EQ(drawn.left, 320 - 139);
  for (int y = drawn.top; y <= drawn.bottom; ++y) {
    int first = 0, last = headless::kWidth - 1;
    while (first < last && headless::pixel(frame, first, y) == 0) ++first;
    while (last > first && headless::pixel(frame, last, y) == 0) --last;
    if (first == last) continue;
    EXPECT_EQ(headless::colourAt(frame, first, y), 0xffffff) << first << "," << y;
    EXPECT_EQ(headless::colourAt(frame, last, y), 0xffffff) << last << "," << y;
  }
}

}  // namespace
