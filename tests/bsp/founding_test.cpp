// Founding an empty tree works on shared stacks of handles; these tests hold
// it to the founding by lists that defines the tree's shape, and check that
// the CSG, which founds cells by the hundred and cuts only the pieces it
// keeps, makes the right pieces and leaves no handle behind.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "bsp/balanced_build.h"
#include "bsp/csg.h"
#include "bsp/founding.h"
#include "bsp/partition.h"
#include "bsp/split.h"
#include "bsp/tree_probe.h"
#include "geometry/tolerance.h"

namespace {

// The founding by lists: the head founds, the rest is sorted into a list
// per side (each piece added at its head), the back founded before the
// front; a list beyond kFounderFirstLimit is built balanced.
void foundByLists(BspTree& tree, PolyList& list, float tolerance) {
  if (buildBalanced(tree, list, tolerance)) return;
  const PolyRef founder = popUsable(list);
  if (!founder) return;
  tree.root = new BspNode(founder);
  PolyList back;
  PolyList front;
  partition(list, tree.root->plane, tolerance, *tree.root->coplanar, back, front);
  foundByLists(tree.root->back, back, tolerance);
  foundByLists(tree.root->front, front, tolerance);
}

bool sameRing(const Poly& a, const Poly& b) {
  if (a.vertexCount != b.vertexCount) return false;
  for (int i = 0; i < a.vertexCount; ++i) {
    const Point3& u = a.vertices[i];
    const Point3& v = b.vertices[i];
    if (u.x != v.x || u.y != v.y || u.z != v.z) return false;
  }
  return true;
}

// Node for node: the same planes, flags and polygons in the same order.
bool sameTree(const BspTree& a, const BspTree& b) {
  if (a.isEmpty() || b.isEmpty()) return a.isEmpty() == b.isEmpty();
  const BspNode& m = *a.root;
  const BspNode& n = *b.root;
  if (m.plane.x != n.plane.x || m.plane.y != n.plane.y || m.plane.z != n.plane.z || m.plane.w != n.plane.w ||
      m.balancing != n.balancing) {
    return false;
  }
  const PolyNode* p = m.coplanar->head;
  const PolyNode* q = n.coplanar->head;
  for (; p != nullptr && q != nullptr; p = p->next, q = q->next) {
    if (!sameRing(*p->poly, *q->poly)) return false;
  }
  return p == q && sameTree(m.back, n.back) && sameTree(m.front, n.front);
}

// Triangles and quads at scattered places and slants, so that founders cut
// many of the rest and both sides of a node get lists; a collinear ring and
// a copy of an earlier polygon among them.
std::vector<PolyRef> soup(int count) {
  std::uint32_t state = 12345;
  const auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return static_cast<float>(state >> 8) / float(1u << 24) * 2.0f - 1.0f;
  };
  std::vector<PolyRef> polys;
  for (int i = 0; i < count; ++i) {
    const Point3 c = pt(next(), next(), next());
    const Point3 u = pt(next() * 0.6f, next() * 0.6f, next() * 0.6f);
    const Point3 v = pt(next() * 0.6f, next() * 0.6f, next() * 0.6f);
    std::vector<Point3> ring = {pt(c.x + u.x, c.y + u.y, c.z + u.z), pt(c.x + v.x, c.y + v.y, c.z + v.z),
                                pt(c.x - u.x, c.y - u.y, c.z - u.z)};
    if (i % 2 == 0) ring.push_back(pt(c.x - v.x, c.y - v.y, c.z - v.z));
    polys.push_back(polyOf(ring));
  }
  polys.push_back(polyOf({pt(-1, 0, 0), pt(0, 0, 0), pt(1, 0, 0)}));
  polys.push_back(polys.front());
  return polys;
}

class Founding : public testing::TestWithParam<int> {};

TEST_P(Founding, GivesTheTreeListsPerLevelGive) {
  const std::vector<PolyRef> polys = soup(GetParam());
  const float tolerance = 1e-5f;
  {
    PolyList list;
    for (const PolyRef& p : polys) list.add(p);
    BspTree expected;
    foundByLists(expected, list, tolerance);

    PolyListRef viaInsert;
    for (const PolyRef& p : polys) viaInsert->add(p);
    BspTree inserted;
    inserted.insert(viaInsert, Side::Spanning, Side::Spanning, tolerance);
    EXPECT_TRUE(sameTree(inserted, expected));

    // The vector's last polygon is the head of the list.
    std::vector<PolyRef> vector = polys;
    BspTree founded;
    foundTree(founded, vector, tolerance);
    EXPECT_TRUE(sameTree(founded, expected));
    EXPECT_TRUE(vector.empty());
  }
  // Nothing on the stacks kept a handle.
  for (const PolyRef& p : polys) EXPECT_EQ(p->refCount, p.get() == polys.front().get() ? 2 : 1);
}

// Chains, lists split at every level, and lists long enough to build
// balanced at the top and founder first below.
INSTANTIATE_TEST_SUITE_P(Soups, Founding, testing::Values(3, 12, 31, 90));

// A side not asked for is not made; the other comes out as a full split
// gives it, and a polygon that is not cut gets no room for pieces at all.
TEST(SplitPolyWithin, MakesOnlyTheSidesAskedFor) {
  const PolyRef square = squareAt(0);
  const Plane plane = planeOf(1, 0, 0, -0.25f);
  SplitParts all;
  ASSERT_EQ(splitPolyWithin(square, plane, kEpsilon, all), Side::Spanning);
  for (const auto& [makeBack, makeFront] : {std::pair(true, false), std::pair(false, true), std::pair(false, false)}) {
    std::optional<SplitParts> parts;
    ASSERT_EQ(splitPolyWithin(square, plane, kEpsilon, parts, makeBack, makeFront), Side::Spanning);
    EXPECT_EQ(bool(parts->back[0]), makeBack);
    EXPECT_EQ(bool(parts->front[0]), makeFront);
    if (makeBack) {
      EXPECT_TRUE(sameRing(*parts->back[0], *all.back[0]));
    }
    if (makeFront) {
      EXPECT_TRUE(sameRing(*parts->front[0], *all.front[0]));
    }
  }
  std::optional<SplitParts> none;
  EXPECT_EQ(splitPolyWithin(square, planeOf(1, 0, 0, -2), kEpsilon, none, true, true), Side::Back);
  EXPECT_FALSE(none.has_value());
}

// combine keeps working space between calls; none of it may hold an
// operand's polygon once the call is over.
TEST(Csg, NothingOfTheOperandsIsHeldAfterwards) {
  std::vector<PolyRef> faces;
  auto keep = [&faces](PolyListRef list) {
    for (const PolyNode* n = list->head; n != nullptr; n = n->next) faces.push_back(n->poly);
    return list;
  };
  for (const CsgOperation op : {CsgOperation::Union, CsgOperation::Difference, CsgOperation::Intersection}) {
    auto tree = std::make_unique<BspTree>();
    combine(*tree, keep(cubeAt(1, 0, 0, 0)), CsgOperation::Union);
    combine(*tree, keep(cubeAt(0.5f, 0.75f, 0.25f, 0)), op);
    combine(*tree, keep(cubeAt(0.25f, -0.5f, 0.5f, 0.5f)), op);
  }
  for (const PolyRef& f : faces) EXPECT_EQ(f->refCount, 1);
}

}  // namespace
