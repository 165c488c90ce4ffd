// Closing up a BSP result's polygons into a mesh: welding, T-junctions,
// slivers, faults, and cutting faces into triangles, each case small enough
// to know its answer.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <string>
#include <vector>

#include "model/closed_mesh.h"
#include "model/face_triangulation.h"
#include "model/mesh_file.h"
#include "model/t_junctions.h"
#include "polygon/test_shapes.h"

namespace {

MeshFile asFile(const std::vector<Point3>& vertices, const std::vector<FaceRing>& faces) {
  MeshFile file;
  for (const Point3& p : vertices) file.vertices.push_back({p.x, p.y, p.z});
  for (const FaceRing& ring : faces) file.faces.emplace_back(ring.begin(), ring.end());
  return file;
}

// The cube [-1, 1]^3 with its +z face given as the pieces listed instead.
PolyListRef cubeWithTop(std::initializer_list<std::vector<Point3>> top) {
  PolyListRef list = listOf({cubeFace(2), cubeFace(3), cubeFace(4), cubeFace(5), cubeFace(6)});
  for (const std::vector<Point3>& piece : top) list->add(polyOf(piece));
  return list;
}

struct ClosingCase {
  const char* name;
  PolyListRef polygons;
  int vertices;
  int faces;
  int longestRing;
};

TEST(ClosedMesh, ClosesUpWhatRoundingAndCuttingLeaveOpen) {
  const float up = std::nextafter(1.0f, 2.0f);
  const ClosingCase cases[] = {
      {"plain cube", cubeWithTop({{pt(1, 1, 1), pt(-1, 1, 1), pt(-1, -1, 1), pt(1, -1, 1)}}), 8, 6, 4},
      // The top cut in two, its crossing points a float step off the edges:
      // a corner inside the top edges of the +y and -y faces.
      {"cut off by rounding",
       cubeWithTop({{pt(1, 1, 1), pt(0, up, 1), pt(0, -up, 1), pt(1, -1, 1)},
                    {pt(0, 1, up), pt(-1, 1, 1), pt(-1, -1, 1), pt(0, -1, up)}}),
       10, 7, 5},
      // A piece without area along the top's edge goes, and so does its corner.
      {"sliver", cubeWithTop({{pt(1, 1, 1), pt(-1, 1, 1), pt(-1, -1, 1), pt(1, -1, 1)},
                              {pt(1, -1, 1), pt(0, -1, 1), pt(-1, -1, 1)}}),
       8, 6, 4},
      // Welding closes the ring on itself: a corner repeated after a cut.
      {"ring meeting itself",
       cubeWithTop({{pt(1, 1, 1), pt(-1, 1, 1), pt(1, 1, up), pt(-1, 1, up), pt(-1, -1, 1), pt(1, -1, 1)}}), 8, 6,
       4},
  };
  for (const ClosingCase& c : cases) {
    SCOPED_TRACE(c.name);
    ClosedMesh mesh;
    std::string error;
    ASSERT_TRUE(buildClosedMesh(c.polygons, mesh, error)) << error;
    EXPECT_EQ(static_cast<int>(mesh.vertices.size()), c.vertices);
    EXPECT_EQ(static_cast<int>(mesh.faces.size()), c.faces);
    std::size_t longest = 0;
    for (const FaceRing& ring : mesh.faces) longest = std::max(longest, ring.size());
    EXPECT_EQ(static_cast<int>(longest), c.longestRing);
    const MeshFacts facts = examine(asFile(mesh.vertices, mesh.faces));
    EXPECT_EQ(facts.edgesNotPaired, 0);
    EXPECT_EQ(facts.tJunctions, 0);
    EXPECT_EQ(facts.euler(), 2);
    EXPECT_NEAR(facts.volume, 8.0, 1e-5);
  }
}

TEST(ClosedMesh, KeepsSmallSolidsFarFromTheOrigin) {
  for (const float offset : {0.0f, 1e3f, 1e6f}) {
    for (const float size : {1e-4f, 1.0f, 1e6f}) {
      if (offset > 0.0f && size < 1.0f) continue;  // a few float steps there
      const PolyListRef cube = cubeAt(size, offset, offset, offset);
      ClosedMesh mesh;
      std::string error;
      EXPECT_TRUE(buildClosedMesh(cube, mesh, error)) << offset << " " << size << ": " << error;
      EXPECT_EQ(mesh.vertices.size(), 8u) << offset << " " << size;
      EXPECT_EQ(mesh.faces.size(), 6u) << offset << " " << size;
    }
  }
}

TEST(ClosedMesh, RefusesWhatIsNoClosedSurface) {
  const struct {
    const char* name;
    PolyListRef polygons;
    const char* message;
  } cases[] = {
      {"open box", listOf({cubeFace(1), cubeFace(2), cubeFace(3), cubeFace(4), cubeFace(5)}),
       "the faces do not close up: the edge from (-1, -1, -1) to (-1, -1, 1) is used 1 times and the other way "
       "round 0 times"},
      {"face twice", cubeWithTop({{pt(1, 1, 1), pt(-1, 1, 1), pt(-1, -1, 1), pt(1, -1, 1)},
                                  {pt(1, 1, 1), pt(-1, 1, 1), pt(-1, -1, 1), pt(1, -1, 1)}}),
       "is used 2 times"},
      // Two cubes that share the edge from (1, 1, -1) to (1, 1, 1) and nothing else.
      {"cubes meeting along an edge", [] {
         PolyListRef both = cubeAt(1, 0, 0, 0), other = cubeAt(1, 2, 2, 0);
         both->appendAll(other);
         return both;
       }(), "the solid touches itself along the edge from (1, 1, "},
      {"not a number", cubeWithTop({{pt(1, 1, 1), pt(-1, 1, 1), pt(-1, -1, NAN), pt(1, -1, 1)}}),
       "a face has a corner with a coordinate that is not a finite number"},
  };
  for (const auto& c : cases) {
    ClosedMesh mesh;
    std::string error;
    EXPECT_FALSE(buildClosedMesh(c.polygons, mesh, error)) << c.name;
    EXPECT_NE(error.find(c.message), std::string::npos) << c.name << ": " << error;
  }
  ClosedMesh empty;
  std::string error;
  EXPECT_TRUE(buildClosedMesh(PolyListRef(), empty, error));
  EXPECT_TRUE(empty.vertices.empty() && empty.faces.empty());
}

// Near a sharp corner a vertex lies within reach of both sides: it belongs
// in the nearer one only. A regression from a sphere cut by a cube's face.
TEST(TJunctions, PutAVertexIntoTheNearestSideOnly) {
  const std::vector<Point3> vertices = {pt(0, 0, 0), pt(10, 0, 0), pt(10, 0.5f, 0), pt(2, 0.04f, 0),
                                        pt(2, 5, 0), pt(3, 5, 0)};
  std::vector<FaceRing> faces = {{0, 1, 2}, {3, 4, 5}};
  EXPECT_EQ(resolveTJunctions(vertices, faces, 0.1), 1u);
  EXPECT_EQ(faces[0], (FaceRing{0, 3, 1, 2}));
}

// Twice the area of triangle a, b, c along the face normal n.
double turnedArea(const Point3& a, const Point3& b, const Point3& c, const Vector3& n) {
  return (b - a).cross(c - a).dot(n);
}

TEST(FaceTriangulation, CutsFacesWithCornersOnTheirSidesIntoTrianglesWithArea) {
  const struct {
    const char* name;
    std::vector<Point3> ring;
  } cases[] = {
      {"a corner on every side",
       {pt(0, 0, 0), pt(1, 0, 0), pt(2, 0, 0), pt(1.5f, 1, 0), pt(1, 2, 0), pt(0.5f, 1, 0)}},
      // Kept from a cylinder's side cut by a slanting plane: greedy ear
      // clipping got stuck on it.
      {"strip",
       {pt(-0.160511971f, -0.0201810449f, -0.698861539f), pt(-0.160511971f, -0.0201810282f, -0.698606908f),
        pt(-0.160511971f, -0.0201810282f, 0.130618989f), pt(-0.154422328f, -0.0507957041f, 0.100004286f),
        pt(-0.154422328f, -0.0507957041f, -0.704951048f), pt(-0.154549643f, -0.050155662f, -0.704823852f)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClosedMesh face;
    face.vertices = c.ring;
    face.faces = {FaceRing(c.ring.size())};
    std::iota(face.faces[0].begin(), face.faces[0].end(), 0u);
    face.tolerance = 2e-5;
    TriangleMesh cut;
    ASSERT_TRUE(triangulateFaces(face, cut));
    const PolyRef whole = polyOf(c.ring);
    const Vector3 n(whole->plane.x, whole->plane.y, whole->plane.z);
    double sum = 0.0;
    for (const Triangle& t : cut.triangles) {
      const double a = turnedArea(cut.vertices[t[0]], cut.vertices[t[1]], cut.vertices[t[2]], n);
      EXPECT_GT(a, 0.0);
      sum += a;
    }
    double ringArea = 0.0;
    for (std::size_t i = 1; i + 1 < c.ring.size(); ++i) ringArea += turnedArea(c.ring[0], c.ring[i], c.ring[i + 1], n);
    EXPECT_NEAR(sum, ringArea, 1e-6 * ringArea);
    std::vector<FaceRing> triangles;
    for (const Triangle& t : cut.triangles) triangles.push_back({t[0], t[1], t[2]});
    const MeshFacts facts = examine(asFile(cut.vertices, triangles));
    EXPECT_EQ(facts.tJunctions, 0);
  }
}

}  // namespace
