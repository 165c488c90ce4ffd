// Large lists are founded under balancing planes: the tree of a convex solid
// of many faces stays shallow, every cell still tells inside from outside,
// rebuilding from the tree's own polygons cuts nothing new, and a polygon
// meeting a balancing plane later passes to its front.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "bsp/balanced_build.h"
#include "bsp/bsp_node.h"
#include "bsp/csg.h"
#include "solids.h"

namespace {

struct Shape {
  int depth = 0;
  int balancing = 0;
  const BspNode* firstBalancing = nullptr;
};

void walk(const BspTree& tree, int depth, Shape& s) {
  if (tree.root == nullptr) return;
  const BspNode& n = *tree.root;
  s.depth = std::max(s.depth, depth + 1);
  if (n.balancing) {
    ++s.balancing;
    if (s.firstBalancing == nullptr) s.firstBalancing = &n;
    EXPECT_TRUE(n.coplanar->isEmpty());
    EXPECT_FALSE(n.back.isEmpty());
    EXPECT_FALSE(n.front.isEmpty());
  }
  walk(n.back, depth + 1, s);
  walk(n.front, depth + 1, s);
}

Shape shapeOf(const BspTree& tree) {
  Shape s;
  walk(tree, 0, s);
  return s;
}

// A 256-sided prism of radius 1 and height 2: 258 faces, each with all the
// others behind it, which founded polygon first is a chain of 258 nodes.
constexpr int kSides = 256;
PolyListRef manySidedPrism() { return prism(regularPolygon(kSides, 1.0), -1.0, 1.0); }

TEST(BalancedBuild, ConvexSolidOfManyFacesIsShallowAndEveryCellRight) {
  BspTree tree;
  tree.insert(manySidedPrism(), Side::Front, Side::Front);
  const Shape s = shapeOf(tree);
  EXPECT_GT(s.balancing, 0);
  EXPECT_LT(s.depth, 2 * kFounderFirstLimit);
  // The inscribed circle of the 256-gon has radius cos(pi / 256).
  const double inner = std::cos(M_PI / kSides);
  for (int i = 0; i < 41 * 41 * 11; ++i) {
    const double x = -1.2 + 0.06 * (i % 41), y = -1.2 + 0.06 * (i / 41 % 41), z = -1.25 + 0.25 * (i / 1681);
    const double r = std::hypot(x, y);
    if (std::fabs(r - inner) < 0.01 || std::fabs(r - 1.0) < 0.01 || std::fabs(std::fabs(z) - 1.0) < 0.01) continue;
    if (r > inner && r < 1.0) continue;  // between the 256-gon's sides and its corners
    const bool inside = r < inner && std::fabs(z) < 1.0;
    ASSERT_EQ(isInside(tree, pt(float(x), float(y), float(z))), inside) << x << ", " << y << ", " << z;
  }
}

TEST(BalancedBuild, RebuildingFromItsOwnPolygonsCutsNothingNew) {
  BspTree first;
  first.insert(manySidedPrism(), Side::Front, Side::Front);
  const PolyListRef pieces = solidPolygons(first);
  const std::size_t count = contents(*pieces).size();
  BspTree second;
  second.insert(pieces, Side::Front, Side::Front);
  EXPECT_EQ(contents(*solidPolygons(second)).size(), count);
  EXPECT_NEAR(solidVolume(*solidPolygons(second)), solidVolume(*solidPolygons(first)), 1e-6);
}

TEST(BalancedBuild, PolygonInABalancingPlanePassesToItsFront) {
  BspTree tree;
  tree.insert(manySidedPrism(), Side::Front, Side::Front);
  const BspNode* node = shapeOf(tree).firstBalancing;
  ASSERT_NE(node, nullptr);
  // A small square in the node's axis plane, well inside the prism.
  const Plane& p = node->plane;
  const float c = -p.w;
  auto at = [&](float u, float v) {
    return p.x != 0.0f ? pt(c, u, v) : p.y != 0.0f ? pt(u, c, v) : pt(u, v, c);
  };
  auto square = [&] {
    PolyListRef list;
    list->add(polyOf({at(-0.1f, -0.1f), at(0.1f, -0.1f), at(0.1f, 0.1f), at(-0.1f, 0.1f)}));
    return list;
  };
  // Inside the prism, so kept whole as inside and not at all as outside.
  for (const Side keep : {Side::Back, Side::Front}) {
    PolyListRef kept;
    tree.pushList(square(), kept, keep, Side::Spanning);
    double a = 0;
    for (const PolyNode* n = kept->head; n != nullptr; n = n->next) a += area(*n->poly);
    EXPECT_NEAR(a, keep == Side::Back ? 0.04 : 0.0, 1e-6);
  }
  const std::size_t before = contents(*solidPolygons(tree)).size();
  tree.insert(square(), Side::Spanning, Side::Spanning);
  EXPECT_TRUE(node->coplanar->isEmpty());
  EXPECT_GT(contents(*solidPolygons(tree)).size(), before);
}

}  // namespace
