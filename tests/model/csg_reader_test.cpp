// The CSG reader: what it refuses, and where it says the fault is.
#include <gtest/gtest.h>

#include <string>

#include "model/scene_file.h"

namespace {

struct Refusal {
  const char* text;
  const char* message;  // the whole first line of the error
};

std::string errorOf(const std::string& text) {
  try {
    parseScene("s.csg", text, SceneFormat::Csg);
  } catch (const SceneError& e) {
    return e.what();
  }
  return "(accepted)";
}

TEST(CsgReader, RefusesWhatIsOutsideTheFormatNamingPlaceAndConstruct) {
  const Refusal cases[] = {
      {"module m() { cube(); }", "s.csg:1:1: error: modules are not supported in a CSG scene"},
      {"cube();\nx = 3;", "s.csg:2:1: error: variables are not supported in a CSG scene (assignment to 'x')"},
      {"  circle(r = 1);", "s.csg:1:3: error: circle: 2-D objects are not supported"},
      {"frobnicate();", "s.csg:1:1: error: frobnicate: unknown object or operation"},
      {"cube(size = 2 * 3);",
       "s.csg:1:15: error: expressions are not supported in a CSG scene: a value is a number, "
       "true, false, undef, a string or a [vector] (found '*')"},
      {"cube(size = s);", "s.csg:1:13: error: variables and function calls are not supported in a CSG scene ('s')"},
      {"cube(sise = 2);", "s.csg:1:6: error: cube takes no argument 'sise'"},
      {"cube(1, true, 3);", "s.csg:1:15: error: cube takes at most 2 positional arguments"},
      {"cube(size = \"big\");", "s.csg:1:13: error: cube: 'size' must be a vector of 2 or 3 numbers or a number"},
      {"cube(size = 1e400);",
       "s.csg:1:13: error: number 1e400 is out of range (numbers are limited to 1e15 in magnitude)"},
      {"cube(size = nan);", "s.csg:1:13: error: 'nan': numbers must be finite"},
      {"union() {\n  cube();\n", "s.csg:1:9: error: '{' is not closed"},
      {"cube()", "s.csg:1:7: error: expected an object or operation, found the end of the file"},
      {"/* open", "s.csg:1:1: error: comment is not closed"},
      {"cube(); \x01", "s.csg:1:9: error: unexpected byte 0x01"},
      {"cube(12abc);", "s.csg:1:8: error: unexpected 'a' after the number"},
      {"sphere(r = 1, $fn = 20000);",
       "s.csg:1:1: error: sphere: a circle of 20000 fragments is more than the limit "
       "of 10000 (lower $fn, or raise $fa or $fs)"},
      {"cube();\nsphere(r = 1, $fn = 1000);", "s.csg:2:1: error: sphere: the scene would have more than 30000 polygons"},
      {"multmatrix([[1, 0, 0, 0], [0, 1, 0, 0], [0, 0, 1, 0], [0, 0, 1, 1]]) cube();",
       "s.csg:1:62: error: multmatrix: the last row must be [0, 0, 0, 1] (no projective transforms)"},
      {"multmatrix([[1e15, 0, 0, 0], [0, 1, 0, 0], [0, 0, 1, 0]]) cube(10);",
       "s.csg:1:59: error: cube: a point lies beyond 1e15 from the origin once transformed"},
      {"group();", "s.csg: error: the scene holds no solid"},
      {"difference() { group(); cube(); }", "s.csg: error: the scene holds no solid"},
      {"polyhedron(points = [[0, 0, 0], [1, 0, 0], [0, 1, 0]], faces = [[0, 1, 2], [0, 2, 1]]);",
       "s.csg:1:1: error: polyhedron: the surface encloses no volume (0)"},
      {"polyhedron(points = [[0, 0, 0], [1, 0, 0], [0, 1, 0], [0, 0, 1]], faces = [[0, 1, 2], [0, 3, 1], [1, 3, 2]]);",
       "s.csg:1:76: error: polyhedron: edge (0, 0, 0) to (0, 1, 0) belongs to this face only: the surface is open"},
      {"polyhedron(points = [[0, 0, 0], [1, 0, 0]], faces = [[0, 1, 7]]);",
       "s.csg:1:61: error: polyhedron: point index 7 is not one of the 2 points (counted from 0)"},
  };
  for (const Refusal& c : cases) EXPECT_EQ(errorOf(c.text), c.message) << c.text;
}

TEST(CsgReader, RefusesNestingBeyondTheLimitWithoutExhaustingTheStack) {
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "union() ";
  EXPECT_EQ(errorOf(deep + "cube();"), "s.csg:1:1601: error: nesting deeper than 200 levels");
  std::string vector = "cube(size = ";
  for (int i = 0; i < 100000; ++i) vector += "[";
  EXPECT_EQ(errorOf(vector), "s.csg:1:212: error: nesting deeper than 200 levels");
}

TEST(CsgReader, ReadsOpenScadsExportOfEveryConstruct) {
  const char* text = R"(group() {
	multmatrix([[1, 0, 0, 10], [0, 1, 0, 0], [0, 0, 1, 0], [0, 0, 0, 1]]) {
		color([1, 0, 0, 1]) {
			cube(size = [1, 2, 3], center = true);
		}
	}
	render(convexity = 2) {
		difference() {
			sphere($fn = 0, $fa = 12, $fs = 2, r = 1);
			cylinder($fn = 8, $fa = 12, $fs = 2, h = 3, r1 = 0.5, r2 = 0.25, center = true);
		}
	}
	%cube(size = [5, 5, 5], center = false);
	intersection() { cube(size = 2, center = true); polyhedron(points = [[0, 0, 0], [1, 0, 0], [0, 1, 0], [0, 0, 1]], faces = [[0, 1, 2], [0, 3, 1], [0, 2, 3], [1, 3, 2]], convexity = 1); }
}
)";
  const Scene scene = parseScene("s.csg", text, SceneFormat::Csg);
  ASSERT_EQ(scene.root.children.size(), 3u);  // the background cube is left out
  EXPECT_EQ(scene.root.children[0].name, "cube");
  EXPECT_NEAR(scene.root.children[0].mesh.signedVolume(), 6.0, 1e-12);
  EXPECT_EQ(scene.root.children[1].name, "difference");
  EXPECT_EQ(scene.root.children[1].children.size(), 2u);
  EXPECT_EQ(scene.root.children[2].operation, SceneOperation::Intersection);
  EXPECT_NEAR(scene.root.children[2].children[1].mesh.signedVolume(), 1.0 / 6, 1e-12);
}

TEST(CsgReader, HandwrittenTransformsMatchTheirMatrices) {
  // mirror turns the box inside out; its rings are reversed, so it keeps a
  // positive volume, on the other side of the plane.
  const Scene mirrored =
      parseScene("s.csg", "mirror([1, 0, 0]) translate([1, 0, 0]) cube([2, 3, 4]);", SceneFormat::Csg);
  EXPECT_NEAR(mirrored.root.mesh.signedVolume(), 24.0, 1e-12);
  for (const Vec3& p : mirrored.root.mesh.points) EXPECT_LE(p.x, -1.0);

  const Scene turned = parseScene("s.csg", "rotate(a = 90, v = [0, 0, 1]) cube([2, 1, 1]);", SceneFormat::Csg);
  const Scene turnedXyz = parseScene("s.csg", "rotate([0, 0, 90]) cube([2, 1, 1]);", SceneFormat::Csg);
  ASSERT_EQ(turned.root.mesh.points.size(), turnedXyz.root.mesh.points.size());
  for (std::size_t i = 0; i < turned.root.mesh.points.size(); ++i) {
    EXPECT_DOUBLE_EQ(turned.root.mesh.points[i].x, turnedXyz.root.mesh.points[i].x);
    EXPECT_DOUBLE_EQ(turned.root.mesh.points[i].y, turnedXyz.root.mesh.points[i].y);
  }
  // Exact at 90 degrees, as OpenSCAD's own sine is: (2, 0, 0) goes to (0, 2, 0).
  EXPECT_EQ(turned.root.mesh.points[1].x, 0.0);
  EXPECT_EQ(turned.root.mesh.points[1].y, 2.0);

  const Scene scaled = parseScene("s.csg", "scale([2, 3, -1]) cube(1);", SceneFormat::Csg);
  EXPECT_NEAR(scaled.root.mesh.signedVolume(), 6.0, 1e-12);
}

TEST(CsgReader, NonConvexPolyhedronFacesAreCutIntoConvexPieces) {
  // An L-shaped prism: the two L faces are non-convex hexagons.
  const char* text = R"(polyhedron(points = [[0,0,0],[2,0,0],[2,1,0],[1,1,0],[1,2,0],[0,2,0],
    [0,0,1],[2,0,1],[2,1,1],[1,1,1],[1,2,1],[0,2,1]],
    faces = [[0,1,2,3,4,5],[11,10,9,8,7,6],[0,6,7,1],[1,7,8,2],[2,8,9,3],[3,9,10,4],[4,10,11,5],[5,11,6,0]]);)";
  const Scene scene = parseScene("s.csg", text, SceneFormat::Csg);
  EXPECT_NEAR(scene.root.mesh.signedVolume(), 3.0, 1e-12);
  EXPECT_GT(scene.root.mesh.faces.size(), 8u);
  for (const Ring& face : scene.root.mesh.faces) {
    const Vec3 n = newellNormal(scene.root.mesh.points, face);
    for (std::size_t i = 0; i < face.size(); ++i) {
      const Vec3& a = scene.root.mesh.points[std::size_t(face[i])];
      const Vec3& b = scene.root.mesh.points[std::size_t(face[(i + 1) % face.size()])];
      const Vec3& c = scene.root.mesh.points[std::size_t(face[(i + 2) % face.size()])];
      EXPECT_GE(dot(cross(b - a, c - b), n), 0.0) << "a reflex corner is left";
    }
  }
}

}  // namespace
