// Closing up a BSP result's polygons into a mesh: welding, T-junctions,
// slivers, faults, and cutting faces into triangles, each case small enough
// to know its answer.
#include <gtest/gtest.h>

#include <algorithm>
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

// A long edge gets the corners its neighbours' short edges meet at, and
// only those: B lies within reach of the edge from E to W, but no face runs
// along it from B, which belongs in the thin triangle's side from C to A.
// A regression from a cube cut by a sphere.
TEST(TJunctions, PutIntoAnEdgeOnlyVerticesThatPairItsPieces) {
  enum : std::uint32_t { A, E, C, B, X, W, Y };
  const std::vector<Point3> vertices = {pt(0, 0, 0), pt(10, 0, 0), pt(10, 1, 0), pt(1, 0.1f, 0),
                                        pt(1, 5, 0), pt(-5, 0, 0), pt(5, -5, 0)};
  std::vector<FaceRing> faces = {{A, E, C}, {A, B, X}, {B, C, X}, {E, W, Y}, {W, A, X}};
  EXPECT_EQ(resolveTJunctions(vertices, faces, 0.15), 2u);
  EXPECT_EQ(faces[0], (FaceRing{A, E, C, B}));
  EXPECT_EQ(faces[3], (FaceRing{E, A, W, Y}));
}

// Needles, rings that run out to a tip and back along one line. From the
// cube with 64 holes: face F runs out from 2 to 3 and back to 0, G runs
// from 0 to 3 and H from 3 to 2; the tip leaves F, the foot (2) goes into G.
// A corner as sharp whose foot lies further off stays. From a cube minus a
// sphere: the rim runs from 6 through 7 to 8; the top face F runs 6, 9, 7,
// 8, along its neighbour N from 9 to 8, and back from 8 to 6 a tolerance
// off the rim. With the tip 8 gone, F closes from 7 to 6 along the rim.
TEST(TJunctions, FoldAwayNeedlesKeepingEveryEdgePaired) {
  const std::vector<Point3> vertices = {
      pt(0.162701815f, -0.172393382f, -0.374629229f), pt(0.161435753f, -0.172393382f, -0.374629229f),
      pt(0.162068784f, -0.156393752f, -0.371446729f), pt(0.162064821f, -0.156293526f, -0.371426791f),
      pt(0.17f, -0.16f, -0.37f), pt(0.15f, -0.15f, -0.37f),
      pt(-0.148335308f, -0.816986799f, 1), pt(-0.099103801f, -0.824711263f, 1), pt(-0.098492384f, -0.824798107f, 1),
      pt(-0.138775259f, -0.819081724f, 1), pt(0, -0.8387748f, 1), pt(-0.147451445f, -0.824711263f, 0.994036913f),
      pt(-0.0944136828f, -0.873026669f, 0.958598197f)};
  const struct {
    const char* name;
    double reach;
    std::vector<FaceRing> faces;
    std::vector<FaceRing> folded;
  } cases[] = {
      {"needle", 7.62939e-06, {{0, 1, 2, 3}, {0, 3, 4}, {3, 2, 5}}, {{0, 1, 2}, {0, 2, 3, 4}, {3, 2, 5}}},
      {"sharp corner", 1e-9, {{0, 1, 2, 3}, {0, 3, 4}, {3, 2, 5}}, {{0, 1, 2, 3}, {0, 3, 4}, {3, 2, 5}}},
      {"needle along an open seam", 2 * 7.62939e-06,
       {{6, 9, 7, 8}, {10, 8, 7, 9}, {11, 6, 7}, {7, 8, 12}},
       {{6, 9, 7}, {10, 8, 7, 9}, {11, 6, 7}, {7, 8, 12}}},
      {"open seam too far off", 7.62939e-06,
       {{6, 9, 7, 8}, {10, 8, 7, 9}, {11, 6, 7}, {7, 8, 12}},
       {{6, 9, 7, 8}, {10, 8, 7, 9}, {11, 6, 7}, {7, 8, 12}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<FaceRing> faces = c.faces;
    EXPECT_EQ(foldNeedles(vertices, faces, c.reach), c.folded == c.faces ? 0u : 1u);
    EXPECT_EQ(faces, c.folded);
  }
}

// Twice the area of triangle a, b, c along the face normal n.
double turnedArea(const Point3& a, const Point3& b, const Point3& c, const Vector3& n) {
  return (b - a).cross(c - a).dot(n);
}

// Each face of a result (a ring around a convex face, with rounding up to
// the tolerance), cut into triangles that close up with the rest: the
// ring's sides each once, the cuts inside once each way, every triangle
// turning the face's way and their areas adding up to the face's.
TEST(FaceTriangulation, CutsFacesWithCornersOnTheirSidesIntoTrianglesWithArea) {
  const struct {
    const char* name;
    std::vector<Point3> ring;
  } cases[] = {
      {"a corner on every side",
       {pt(0, 0, 0), pt(1, 0, 0), pt(2, 0, 0), pt(1.5f, 1, 0), pt(1, 2, 0), pt(0.5f, 1, 0)}},
      // The best shaped ear, from the top, would leave the bottom's middle
      // vertex a rounding step beside its cut: a sliver.
      {"a vertex beside the best cut", {pt(0, 0, 0), pt(1, 0, 0), pt(2, 1e-8f, 0), pt(1, 1.5f, 0)}},
      // Kept from a cylinder's side cut by a slanting plane: greedy ear
      // clipping got stuck on it.
      {"strip",
       {pt(-0.160511971f, -0.0201810449f, -0.698861539f), pt(-0.160511971f, -0.0201810282f, -0.698606908f),
        pt(-0.160511971f, -0.0201810282f, 0.130618989f), pt(-0.154422328f, -0.0507957041f, 0.100004286f),
        pt(-0.154422328f, -0.0507957041f, -0.704951048f), pt(-0.154549643f, -0.050155662f, -0.704823852f)}},
      // Kept from a cube with 64 holes: three corners within three
      // tolerances, the middle one a rounding step out of line, where a fan
      // left a triangle without area and the first ears leave slivers.
      {"three corners close together",
       {pt(-0.713577747f, -0.758298278f, 0.869546533f), pt(-0.713577747f, -0.758298278f, 0.709546328f),
        pt(-0.739531577f, -0.77564013f, 0.712995887f), pt(-0.739531577f, -0.77564013f, 0.838114202f),
        pt(-0.73866117f, -0.775058568f, 0.841037929f), pt(-0.729547441f, -0.76896894f, 0.871652603f),
        pt(-0.729552507f, -0.768972337f, 0.871669769f), pt(-0.729542732f, -0.768965781f, 0.871668458f)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClosedMesh face;
    face.vertices = c.ring;
    face.faces = {FaceRing(c.ring.size())};
    std::iota(face.faces[0].begin(), face.faces[0].end(), 0u);
    face.tolerance = 7.62939e-06;
    TriangleMesh cut;
    std::string error;
    ASSERT_TRUE(triangulateFaces(face, cut, error)) << error;
    ASSERT_EQ(cut.triangles.size(), c.ring.size() - 2);
    const PolyRef whole = polyOf(c.ring);
    const Vector3 n(whole->plane.x, whole->plane.y, whole->plane.z);
    double sum = 0.0;
    for (const Triangle& t : cut.triangles) {
      const Point3 corners[3] = {cut.vertices[t[0]], cut.vertices[t[1]], cut.vertices[t[2]]};
      const double a = turnedArea(corners[0], corners[1], corners[2], n);
      const double longest = std::max({(corners[1] - corners[0]).length(), (corners[2] - corners[1]).length(),
                                       (corners[0] - corners[2]).length()});
      EXPECT_GT(a / longest, face.tolerance / 16) << "a sliver";
      sum += a;
    }
    double ringArea = 0.0;
    for (std::size_t i = 1; i + 1 < c.ring.size(); ++i) ringArea += turnedArea(c.ring[0], c.ring[i], c.ring[i + 1], n);
    EXPECT_NEAR(sum, ringArea, 1e-6 * ringArea);
    // The face turned over closes the triangles up.
    std::vector<FaceRing> closed = {FaceRing(face.faces[0].rbegin(), face.faces[0].rend())};
    for (const Triangle& t : cut.triangles) closed.push_back({t[0], t[1], t[2]});
    const MeshFacts facts = examine(asFile(cut.vertices, closed));
    EXPECT_EQ(facts.edgesNotPaired, 0);
    EXPECT_EQ(facts.tJunctions, 0);
  }
}

TEST(FaceTriangulation, RefusesAFaceThatCrossesItselfNamingACorner) {
  ClosedMesh face;
  face.vertices = {pt(0, 0, 0), pt(2, 0, 0), pt(0, 1, 0), pt(2, 1, 0)};
  face.faces = {{0, 1, 2, 3}};
  face.tolerance = 1e-6;
  TriangleMesh cut;
  std::string error;
  EXPECT_FALSE(triangulateFaces(face, cut, error));
  EXPECT_EQ(error, "the face with a corner at (0, 0, 0) crosses itself and cannot be cut into triangles");
}

}  // namespace
