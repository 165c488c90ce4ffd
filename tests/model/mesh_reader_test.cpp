// The OBJ and STL readers: welding, and a refusal naming the place of each
// defect a mesh can have.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "model/scene_file.h"

namespace {

// A tetrahedron, faces counterclockwise from outside.
const char* kTetraObj = "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 1\nf 1 3 2\nf 1 2 4\nf 1 4 3\nf 2 3 4\n";

std::string errorOf(const std::string& file, const std::string& text) {
  try {
    parseScene(file, text, sceneFormatOf(file));
  } catch (const SceneError& e) {
    return e.what();
  }
  return "(accepted)";
}

std::string asciiStl(const std::vector<std::vector<float>>& triangles) {
  std::string s = "solid t\n";
  for (const auto& t : triangles) {
    s += "facet normal 0 0 0\n outer loop\n";
    for (int c = 0; c < 3; ++c) {
      s += "  vertex " + std::to_string(t[c * 3]) + " " + std::to_string(t[c * 3 + 1]) + " " +
           std::to_string(t[c * 3 + 2]) + "\n";
    }
    s += " endloop\nendfacet\n";
  }
  return s + "endsolid t\n";
}

std::string binaryStl(const std::vector<std::vector<float>>& triangles) {
  std::string s(80, ' ');
  const auto put = [&s](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xff);
  };
  put(static_cast<std::uint32_t>(triangles.size()));
  for (const auto& t : triangles) {
    for (int i = 0; i < 3; ++i) put(0);
    for (float f : t) {
      std::uint32_t bits;
      std::memcpy(&bits, &f, 4);
      put(bits);
    }
    s += std::string(2, '\0');
  }
  return s;
}

const std::vector<std::vector<float>> kTetra = {
    {0, 0, 0, 0, 1, 0, 1, 0, 0}, {0, 0, 0, 1, 0, 0, 0, 0, 1}, {0, 0, 0, 0, 0, 1, 0, 1, 0}, {1, 0, 0, 0, 1, 0, 0, 0, 1}};

TEST(MeshReaders, WeldCornersIntoOneClosedSolid) {
  for (const auto& [file, text] :
       {std::make_pair("t.obj", std::string(kTetraObj)), std::make_pair("t.stl", asciiStl(kTetra)),
        std::make_pair("b.stl", binaryStl(kTetra))}) {
    const Scene scene = parseScene(file, text, sceneFormatOf(file));
    EXPECT_EQ(scene.root.mesh.points.size(), 4u) << file;
    EXPECT_NEAR(scene.root.mesh.signedVolume(), 1.0 / 6, 1e-12) << file;
  }
  // Two "v" lines at the same place are one point.
  const Scene twice = parseScene(
      "t.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 1\nv 0 0 0\nf 5 3 2\nf 1 2 4\nf 1 4 3\nf 2 3 4\n", SceneFormat::Obj);
  EXPECT_EQ(twice.root.mesh.points.size(), 4u);
}

TEST(MeshReaders, ObjQuadsAndSlashIndicesAndNegativeIndices) {
  const char* cube =
      "# a unit cube\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 0 0 1\nv 1 0 1\nv 1 1 1\nv 0 1 1\nvn 0 0 1\no cube\n"
      "f 1//1 4//1 3//1 2//1\nf 5/1/1 6/1/1 7/1/1 8/1/1\nf -8 -7 -3 -4\nf 2 3 7 6\nf 3 4 8 7\nf 4 1 5 8\n";
  const Scene scene = parseScene("c.obj", cube, SceneFormat::Obj);
  EXPECT_NEAR(scene.root.mesh.signedVolume(), 1.0, 1e-12);
  EXPECT_EQ(scene.root.mesh.faces.size(), 6u);
}

TEST(MeshReaders, RefuseEachDefectNamingTheEdgeOrFace) {
  const std::string open = "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 1\nf 1 3 2\nf 1 2 4\nf 1 4 3\n";
  const std::string flipped = "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 1\nf 1 2 3\nf 1 4 2\nf 1 3 4\nf 2 4 3\n";
  const std::string oneBackwards = "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 1\nf 1 3 2\nf 1 2 4\nf 1 4 3\nf 2 4 3\n";
  struct Case {
    std::string file, text, message;
  };
  const Case cases[] = {
      {"o.obj", open, "o.obj:6:1: error: edge (1, 0, 0) to (0, 0, 1) belongs to this face only: the surface is open"},
      {"f.obj", flipped,
       "f.obj: error: the surface is inside out (its faces enclose a volume of -0.166667: they must "
       "run counterclockwise seen from outside)"},
      {"b.obj", oneBackwards,
       "b.obj:8:1: error: edge (1, 0, 0) to (0, 0, 1) is used twice in the same direction: more "
       "than two faces meet there, or the faces are not oriented alike"},
      {"i.obj", "v 0 0 0\nf 1 2 3\n", "i.obj:2:5: error: point index 2 names no point (there are 1 so far)"},
      {"x.obj", "v 0 0 zero\n", "x.obj:1:7: error: 'zero' is not a number"},
      {"x.obj", "v 0 0 nan\n", "x.obj:1:7: error: 'nan' is not a number"},
      {"x.obj", "v 0 0 1e300\n", "x.obj:1:7: error: number 1e300 is out of range (coordinates are limited to 1e15)"},
      {"l.obj", "v 0 0 0\nl 1 1\n", "l.obj:2:1: error: 'l' statements are not supported"},
      {"e.obj", "# nothing\n", "e.obj: error: no faces"},
      {"o.stl", asciiStl({kTetra[0], kTetra[1], kTetra[2]}),
       "o.stl:2:1: error: facet: edge (0, 1, 0) to (1, 0, 0) belongs to this face only: the surface is open"},
      {"t.stl", asciiStl(kTetra).substr(0, 60), "t.stl:4:22: error: the file ends inside a solid (no 'endsolid')"},
      {"b.stl", binaryStl(kTetra).substr(0, 150),
       "b.stl: error: binary STL of 4 triangles needs 284 bytes, the file has "
       "150 (truncated)"},
      {"s.stl", "abc",
       "s.stl: error: not an STL file: it does not start with 'solid' and is shorter than a binary "
       "header (3 of 84 bytes)"},
      {"x.ply", "ply",
       "x.ply: error: unknown kind of scene: the name must end in .csg (OpenSCAD's CSG export), .obj or "
       ".stl"},
  };
  for (const Case& c : cases) EXPECT_EQ(errorOf(c.file, c.text), c.message) << c.file;

  std::vector<std::vector<float>> nan = kTetra;
  nan[1][4] = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(errorOf("n.stl", binaryStl(nan)),
            "n.stl: error: byte 162: triangle 2 has a coordinate that is not a number");
  std::vector<std::vector<float>> open3(kTetra.begin(), kTetra.begin() + 3);
  EXPECT_EQ(
      errorOf("o.stl", binaryStl(open3)),
      "o.stl: error: byte 84: triangle 1: edge (0, 1, 0) to (1, 0, 0) belongs to this face only: the surface is open");
}

}  // namespace
