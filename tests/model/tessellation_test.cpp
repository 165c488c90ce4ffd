// Primitives against OpenSCAD's own tessellation: the same scene through the
// real program gives the same points and the same volume. The CSG file read
// here is OpenSCAD's export of the scene, so the reader meets real output.
#include <gtest/gtest.h>

#include <cmath>

#include "model/openscad_rules.h"
#include "model/scene_file.h"
#include "tests/model/openscad_reference.h"

namespace {

struct Primitive {
  const char* name;
  const char* scad;
};

const Primitive kPrimitives[] = {
    {"sphere-fn7", "sphere(r = 10, $fn = 7);"},
    {"sphere-default", "sphere(r = 5);"},
    {"sphere-fa-fs", "sphere(d = 30, $fa = 5, $fs = 0.7);"},
    {"cylinder-fn30", "cylinder(h = 40, r = 20, center = true, $fn = 30);"},
    {"cone-fa-fs", "cylinder(h = 15, r1 = 13, r2 = 0, $fa = 10, $fs = 1);"},
    {"frustum-default", "cylinder(h = 12, d1 = 40, d2 = 18);"},
    {"box-turned", "rotate([30, 45, 60]) cube([10, 20, 30], center = true);"},
    {"box-mirrored", "mirror([1, 1, 0]) translate([5, 0, 0]) scale([2, 1, 3]) cube(7);"},
    {"sphere-axis-turn", "rotate(a = 33, v = [1, 2, 3]) sphere(r = 20, $fn = 12);"},
};

double largestCoordinate(const std::vector<Vec3>& points) {
  double m = 1.0;
  for (const Vec3& p : points) m = std::fmax(m, std::fmax(std::fabs(p.x), std::fmax(std::fabs(p.y), std::fabs(p.z))));
  return m;
}

// Whether some point of points lies within tolerance of p on every axis.
bool hasPointNear(const std::vector<Vec3>& points, const Vec3& p, double tolerance) {
  for (const Vec3& q : points) {
    if (std::fabs(q.x - p.x) <= tolerance && std::fabs(q.y - p.y) <= tolerance && std::fabs(q.z - p.z) <= tolerance) {
      return true;
    }
  }
  return false;
}

TEST(Tessellation, PrimitivesGiveOpenScadsPointsAndVolume) {
  for (const Primitive& primitive : kPrimitives) {
    SCOPED_TRACE(primitive.name);
    const std::string csg = openscadExport(primitive.name, primitive.scad, "csg");
    const std::string model3mf = openscadExport(primitive.name, primitive.scad, "3mf");
    if (csg.empty() || model3mf.empty()) continue;
    const Scene scene = loadScene(csg);
    ASSERT_EQ(scene.root.kind, SceneNode::Kind::Solid);
    const Mesh& mesh = scene.root.mesh;
    const ReferenceMesh reference = read3mf(model3mf);
    // The CSG file prints its matrices to six significant digits.
    const double tolerance = 6e-6 * largestCoordinate(reference.points);
    for (const Vec3& c : reference.points)
      EXPECT_TRUE(hasPointNear(mesh.points, c, tolerance)) << c.x << " " << c.y << " " << c.z;
    for (const Vec3& p : mesh.points)
      EXPECT_TRUE(hasPointNear(reference.points, p, tolerance)) << p.x << " " << p.y << " " << p.z;
    EXPECT_NEAR(mesh.signedVolume(), reference.volume, 1e-6 * reference.volume);
  }
}

TEST(Tessellation, FragmentCountFollowsOpenScadsRule) {
  struct Case {
    double r;
    Resolution resolution;
    double fragments;
  };
  const Case cases[] = {
      {1, {0, 12, 2}, 5},      // never fewer than 5
      {5, {7.9, 12, 2}, 7},    // $fn wins, truncated
      {5, {2, 12, 2}, 3},      // at least 3
      {1e-7, {50, 12, 2}, 3},  // below the grid: a point
  };
  for (const Case& c : cases) EXPECT_EQ(fragmentsFromRadius(c.r, c.resolution), c.fragments) << c.r;
}

TEST(Tessellation, DegreeFunctionsAreExactWhereOpenScadsAre) {
  EXPECT_EQ(sinDegrees(30), 0.5);
  EXPECT_EQ(cosDegrees(90), 0.0);
  EXPECT_EQ(sinDegrees(-90), -1.0);
  EXPECT_EQ(sinDegrees(200), -sinDegrees(20));
}

}  // namespace
