// Boolean results judged by exact volume and area, closedness, face counts
// where the answer is a single box, and point classification against the
// operands themselves.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "bsp/solids.h"

namespace {

using Inside = std::function<bool(double, double, double)>;

// A solid for an operation, with the test of a point against it that its
// own description gives.
struct Operand {
  std::function<PolyListRef()> make;
  Inside holds;
};

Operand boxOperand(double x0, double y0, double z0, double x1, double y1, double z1) {
  return {[=] { return box(x0, y0, z0, x1, y1, z1); },
          [=](double x, double y, double z) { return x0 < x && x < x1 && y0 < y && y < y1 && z0 < z && z < z1; }};
}
Operand cubeOperand(double c, double h) { return boxOperand(c - h, c - h, c - h, c + h, c + h, c + h); }

// The tree built from a then combined with b.
std::unique_ptr<BspTree> combined(PolyListRef a, PolyListRef b, CsgOperation op) {
  auto tree = std::make_unique<BspTree>();
  combine(*tree, a, CsgOperation::Union);
  combine(*tree, b, op);
  return tree;
}

bool applies(CsgOperation op, bool a, bool b) {
  switch (op) {
    case CsgOperation::Union: return a || b;
    case CsgOperation::Difference: return a && !b;
    case CsgOperation::Intersection: return a && b;
  }
  return false;
}

// Every point of a grid in [-size, size]^3, offset so that no point lies on
// a face, is inside the tree exactly where `expected` says.
void expectCells(const BspTree& tree, double size, double step, const Inside& expected, const std::string& what) {
  for (double x = -size + 0.13; x < size; x += step) {
    for (double y = -size + 0.21; y < size; y += step) {
      for (double z = -size + 0.34; z < size; z += step) {
        ASSERT_EQ(isInside(tree, pt(float(x), float(y), float(z))), expected(x, y, z))
            << what << " at " << x << ", " << y << ", " << z;
      }
    }
  }
}

struct Row {
  std::string what;
  Operand a, b;
  CsgOperation op;
  double volume, area;
  int faces;  // -1: any number of pieces
  double size;  // of the grid the classification is sampled on
};

// GoogleTest would otherwise print the row's bytes, padding and all, which
// memcheck reports as uninitialised.
void PrintTo(const Row& row, std::ostream* os) { *os << row.what; }

// Every row of the table of faults the core once had, and their neighbours.
std::vector<Row> rows() {
  const auto u = CsgOperation::Union;
  const auto d = CsgOperation::Difference;
  const auto i = CsgOperation::Intersection;
  const Operand unit = cubeOperand(0, 1), big = cubeOperand(0, 2), corner = boxOperand(0, 0, 0, 2, 2, 2);
  const Operand right = boxOperand(1, -1, -1, 3, 1, 1);  // touches unit at x = 1
  const Operand half = boxOperand(0, -1, -1, 2, 1, 1);   // shares four face planes
  const Operand wedge = {[] { return prism({{0, 0}, {2, 0}, {0, 2}}, -1, 1); },
                         [](double x, double y, double z) { return x > 0 && y > 0 && x + y < 2 && std::fabs(z) < 1; }};
  return {
      {"A union A", unit, unit, u, 8, 24, 6, 3},
      {"A intersect A", unit, unit, i, 8, 24, 6, 3},
      {"A minus A", unit, unit, d, 0, 0, 0, 3},
      {"A minus a box containing it", unit, big, d, 0, 0, 0, 3},
      {"A intersect a box containing it", unit, big, i, 8, 24, 6, 3},
      {"A union a box containing it", unit, big, u, 64, 96, -1, 3},
      {"A intersect a box apart from it", unit, boxOperand(5, 5, 5, 6, 6, 6), i, 0, 0, 0, 3},
      {"a box containing A minus A", big, unit, d, 56, 120, -1, 3},
      {"face to face, union", unit, right, u, 16, 40, -1, 4},
      {"face to face, intersection", unit, right, i, 0, 0, 0, 4},
      {"face to face, difference", unit, right, d, 8, 24, 6, 4},
      {"overlapping corner, union", unit, corner, u, 15, 42, -1, 3},
      {"overlapping corner, intersection", unit, corner, i, 1, 6, 6, 3},
      {"overlapping corner, difference", unit, corner, d, 7, 24, -1, 3},
      {"coplanar sides, union", unit, half, u, 12, 32, -1, 3},
      {"coplanar sides, intersection", unit, half, i, 4, 16, -1, 3},
      {"coplanar sides, difference", unit, half, d, 4, 16, -1, 3},
      {"a triangular prism, intersection", unit, wedge, i, 2, 10, -1, 3},
  };
}

class CsgTable : public testing::TestWithParam<Row> {};

TEST_P(CsgTable, GivesTheRegularisedResult) {
  const Row& row = GetParam();
  const auto tree = combined(row.a.make(), row.b.make(), row.op);
  const SolidFigures f = figuresOf(*tree);
  EXPECT_NEAR(f.volume, row.volume, 1e-9);
  EXPECT_NEAR(f.area, row.area, 1e-9);
  EXPECT_LE(f.openness, 1e-9);
  EXPECT_TRUE(f.heldOnce);
  if (row.faces >= 0) {
    EXPECT_EQ(f.faces, row.faces);
  }
  expectCells(*tree, row.size, 0.5, [&](double x, double y, double z) {
    return applies(row.op, row.a.holds(x, y, z), row.b.holds(x, y, z));
  }, row.what);
}

INSTANTIATE_TEST_SUITE_P(Boxes, CsgTable, testing::ValuesIn(rows()), [](const auto& info) {
  std::string name = info.param.what;
  for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
});

// A cell relabelled by an earlier operation still sorts faces lying in its
// parent's plane by their facing: the rod's walls cut out again at the end
// lie in the planes of the walls that the intersection made.
TEST(Csg, RelabelledCellsKeepSortingCoplanarFaces) {
  const auto rod = [] { return box(-0.5, -0.5, -2, 0.5, 0.5, 2); };
  BspTree tree;
  combine(tree, cubeAround(0, 1), CsgOperation::Union);
  combine(tree, rod(), CsgOperation::Intersection);
  combine(tree, cubeAround(0, 1), CsgOperation::Union);
  EXPECT_NEAR(figuresOf(tree).volume, 8, 1e-9);
  combine(tree, rod(), CsgOperation::Difference);
  const SolidFigures f = figuresOf(tree);
  EXPECT_NEAR(f.volume, 6, 1e-9);
  EXPECT_NEAR(f.area, 24 - 2 + 8, 1e-9);
  EXPECT_FALSE(isInside(tree, pt(0.1f, 0.2f, 0.3f)));
  EXPECT_TRUE(isInside(tree, pt(0.7f, 0.2f, 0.3f)));
}

// Far from the origin, at every size: a box keeps its six faces alone and
// loses exactly the corner cut from it.
TEST(Csg, BoxesKeepTheirFacesAtAnyScaleAndOffset) {
  struct Case {
    double centre, half;
  };
  for (const Case c : {Case{1e6, 1}, Case{0, 1e10}, Case{0, 1e-4}, Case{-1024, 0.5}, Case{1e6, 1e6}}) {
    const double h = static_cast<float>(c.half);
    BspTree tree;
    combine(tree, cubeAround(c.centre, h), CsgOperation::Union);
    SolidFigures f = figuresOf(tree);
    EXPECT_EQ(f.faces, 6) << c.centre << " " << h;
    EXPECT_NEAR(f.volume / (h * h * h), 8, 1e-6) << c.centre << " " << h;
    combine(tree, box(c.centre, c.centre, c.centre, c.centre + 2 * h, c.centre + 2 * h, c.centre + 2 * h),
            CsgOperation::Difference);
    f = figuresOf(tree);
    EXPECT_NEAR(f.volume / (h * h * h), 7, 1e-6) << c.centre << " " << h;
    EXPECT_NEAR(f.area / (h * h), 24, 1e-6) << c.centre << " " << h;
    EXPECT_LE(f.openness / (h * h), 1e-6);
  }
}

// An empty operand or an empty tree: nothing is added, nothing is left.
TEST(Csg, EmptySolids) {
  for (const CsgOperation op : {CsgOperation::Union, CsgOperation::Difference, CsgOperation::Intersection}) {
    BspTree tree;
    combine(tree, cubeAround(0, 1), CsgOperation::Union);
    combine(tree, PolyListRef(), op);
    EXPECT_EQ(figuresOf(tree).faces, op == CsgOperation::Intersection ? 0 : 6);
    BspTree empty;
    combine(empty, cubeAround(0, 1), op);
    EXPECT_EQ(figuresOf(empty).faces, op == CsgOperation::Union ? 6 : 0);
  }
}

// A cube cut by a prism of 300 sides: the cap's piece inside the cube has
// more vertices than a polygon holds and comes as coplanar parts.
TEST(Csg, PiecesBeyondTheVertexLimitAreCutIntoParts) {
  const int n = 300;
  const double r = 0.9;
  const double capArea = 0.5 * n * r * r * std::sin(2 * M_PI / n);
  struct Case {
    CsgOperation op;
    bool cubeFirst;
    double volume;
  };
  for (const Case c : {Case{CsgOperation::Difference, true, 8 - 2 * capArea},
                       Case{CsgOperation::Intersection, true, 2 * capArea},
                       Case{CsgOperation::Difference, false, capArea}, Case{CsgOperation::Union, true, 8 + capArea}}) {
    const PolyListRef cube = cubeAround(0, 1);
    const PolyListRef rod = prism(regularPolygon(n, r), -1.5, 1.5);
    const auto tree = c.cubeFirst ? combined(cube, rod, c.op) : combined(rod, cube, c.op);
    const SolidFigures f = figuresOf(*tree);
    EXPECT_NEAR(f.volume, c.volume, 1e-5);
    EXPECT_LE(f.openness, 1e-5);
    EXPECT_TRUE(f.heldOnce);
  }
}

// The demo's three boxes, combined at any scale: the channel cut from the
// cube, the turned plate added. Its volume follows from the plate's
// outline clipped at the cube's side x = 1.
// The plate's xz outline, turned by 15 degrees.
std::vector<Point2d> plateOutline(double scale) {
  const double c = std::cos(M_PI / 12), s = std::sin(M_PI / 12);
  std::vector<Point2d> outline;
  for (const auto& [u, v] : {std::pair{0.75, -0.125}, {0.75, 0.125}, {-0.75, 0.125}, {-0.75, -0.125}}) {
    outline.push_back({scale * (0.5 + u * c - v * s), scale * (u * s + v * c)});
  }
  return outline;
}

double demoVolume() {
  const std::vector<Point2d> outline = plateOutline(1);
  double clipped = 0;  // shoelace over the outline cut at x = 1
  std::vector<Point2d> kept;
  for (std::size_t i = 0; i < outline.size(); ++i) {
    const Point2d a = outline[i], b = outline[(i + 1) % outline.size()];
    if (a.x <= 1) kept.push_back(a);
    if ((a.x < 1) != (b.x < 1)) kept.push_back({1, a.y + (b.y - a.y) * (1 - a.x) / (b.x - a.x)});
  }
  for (std::size_t i = 0; i < kept.size(); ++i) {
    const Point2d a = kept[i], b = kept[(i + 1) % kept.size()];
    clipped += a.x * b.y - b.x * a.y;
  }
  const double armsHit = 2 * 0.125 * std::fabs(clipped) / 2;  // the plate inside the two arms
  return 8 - 1.875 * 1.75 * 2 + 1.5 * 2.5 * 0.25 - armsHit;
}

PolyListRef turnedPlate(double scale) {
  // The xz outline swept along y: swap y and z, which turns the rings round.
  const PolyListRef swept = prism(plateOutline(scale), -1.25 * scale, 1.25 * scale);
  PolyListRef plate;
  while (const PolyRef p = swept->pop()) {
    std::vector<Point3> ring;
    for (int i = p->vertexCount - 1; i >= 0; --i) ring.push_back(pt(p->vertices[i].x, p->vertices[i].z, p->vertices[i].y));
    plate->add(polyOf(ring));
  }
  return plate;
}

TEST(Csg, DemoVolumeAtEveryScale) {
  for (const double scale : {1.0, 1e-6, 1e-4, 1e3, 1e6}) {
    BspTree tree;
    combine(tree, cubeAround(0, scale), CsgOperation::Union);
    combine(tree, box(-0.875 * scale, -0.875 * scale, -1.5 * scale, 2.125 * scale, 0.875 * scale, 1.5 * scale),
            CsgOperation::Difference);
    combine(tree, turnedPlate(scale), CsgOperation::Union);
    const SolidFigures f = figuresOf(tree);
    EXPECT_NEAR(f.volume / (scale * scale * scale), demoVolume(), 1e-6 * demoVolume()) << scale;
    EXPECT_LE(f.openness / (scale * scale), 1e-6) << scale;
  }
}

// A long chain of unions, each box overlapping the one before by a unit
// cube: the volume adds up exactly, and no polygon is ever held twice.
TEST(Csg, ChainsOfUnionsAddUp) {
  BspTree tree;
  const int n = 40;
  for (int k = 0; k < n; ++k) combine(tree, box(k, k, 0, k + 2, k + 2, 1), CsgOperation::Union);
  const SolidFigures f = figuresOf(tree);
  EXPECT_NEAR(f.volume, 4.0 * n - (n - 1), 1e-9);
  EXPECT_LE(f.openness, 1e-9);
  EXPECT_TRUE(f.heldOnce);
}

// A solid of many faces, built with balancing planes, combined with boxes
// that enclose it, lie inside it or fill a cavity in it: the cells that no
// face of the operand reaches lie under many slanted planes, and each must
// still be found and relabelled, as a grid of points shows.
TEST(Csg, ManyFacedSolidsRelabelEveryCellTheOperandHolds) {
  const int sides = 48;
  const double prismVolume = sides / 2.0 * std::sin(2 * M_PI / sides) * 2;
  const auto prism48 = [] { return prism(regularPolygon(sides, 1), -1, 1); };
  const Inside inPrism = [](double x, double y, double z) {
    if (!(-1 < z && z < 1)) return false;
    const double angle = 2 * M_PI / sides;
    for (int k = 0; k < sides; ++k) {
      // The edge's outward normal points at the middle of its two corners.
      const double c = std::cos((k + 0.5) * angle), s = std::sin((k + 0.5) * angle);
      if (x * c + y * s > std::cos(angle / 2)) return false;
    }
    return true;
  };
  struct Step {
    Operand operand;
    CsgOperation op;
  };
  struct Case {
    std::string what;
    std::vector<Step> steps;
    double volume;
  };
  const auto u = CsgOperation::Union;
  const auto d = CsgOperation::Difference;
  const auto i = CsgOperation::Intersection;
  const Operand big = cubeOperand(0, 2), core = cubeOperand(0, 0.3);
  const Case cases[] = {
      {"minus an enclosing box", {{big, d}}, 0},
      {"with an enclosing box", {{big, u}}, 64},
      {"within an enclosing box", {{big, i}}, prismVolume},
      {"with a box inside", {{core, u}}, prismVolume},
      {"minus a box inside", {{core, d}}, prismVolume - 0.216},
      {"cavity filled by a larger box inside", {{core, d}, {cubeOperand(0, 0.5), u}}, prismVolume},
      {"minus the half beyond x = 0", {{boxOperand(0, -3, -3, 3, 3, 3), d}}, prismVolume / 2},
      // Faces in the planes of the prism's own: the operand's pieces land
      // beside the tree's faces in those nodes, or meet them face to face.
      {"with a box standing on its cap", {{boxOperand(-0.5, -0.5, 1, 0.5, 0.5, 2), u}}, prismVolume + 1},
      {"minus a pocket in its cap", {{boxOperand(-0.5, -0.5, 0, 0.5, 0.5, 1), d}}, prismVolume - 1},
      {"with itself", {{{prism48, inPrism}, u}}, prismVolume},
      {"far box added, then the prism taken away",
       {{boxOperand(1.5, 1.5, 1.5, 2, 2, 2), u}, {cubeOperand(0, 1.25), d}},
       0.125},
  };
  for (const Case& c : cases) {
    BspTree tree;
    combine(tree, prism48(), u);
    for (const Step& step : c.steps) combine(tree, step.operand.make(), step.op);
    const SolidFigures f = figuresOf(tree);
    EXPECT_NEAR(f.volume, c.volume, 1e-5) << c.what;
    EXPECT_LE(f.openness, 1e-5) << c.what;
    EXPECT_TRUE(f.heldOnce) << c.what;
    expectCells(tree, 2.5, 0.25, [&](double x, double y, double z) {
      bool expected = inPrism(x, y, z);
      for (const Step& step : c.steps) expected = applies(step.op, expected, step.operand.holds(x, y, z));
      return expected;
    }, c.what);
  }
}

// A solid thinner than the offset at which a cell is probed: its inside
// must still turn empty when an enclosing box no face of which comes near
// is taken away, or a face a later operation sends through it is kept.
TEST(Csg, SliversInsideAnEnclosingBoxAreEmptiedToo) {
  for (const double h : {1e-3, 1e-4, 3e-5}) {
    BspTree tree;
    combine(tree, prism({{0, 0}, {1, 0}, {1, h}}, 0, 1), CsgOperation::Union);
    combine(tree, cubeAround(0, 2), CsgOperation::Difference);
    for (double x = 0.05; x < 1; x += 0.05) {
      EXPECT_FALSE(isInside(tree, pt(float(x), float(x * h / 2), 0.5f))) << h << " at " << x;
    }
    combine(tree, box(0.5, -1, -1, 0.6, 1, 2), CsgOperation::Difference);
    EXPECT_EQ(figuresOf(tree).faces, 0) << h;
  }
}

}  // namespace
