// Exported results as another program sees them: the files read back by
// exact coordinates and measured, and checked by admesh; and files that
// cannot be written.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/scene.h"
#include "bench/csg/csg_run.h"
#include "bsp/csg.h"
#include "model/mesh_export.h"
#include "model/mesh_file.h"
#include "polygon/measure.h"
#include "polygon/test_shapes.h"

namespace {

namespace fs = std::filesystem;

class MeshExport : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }

  std::string path(const std::string& name) const { return (dir / name).string(); }

  const fs::path dir = fs::temp_directory_path() / ("kelvane-export-test-" + std::to_string(getpid()));
};

// The boundary of a shared workload's result, or of the demo's solid.
PolyListRef resultOf(const std::string& name) {
  if (name == "demo") {
    BspTree tree;
    buildSceneSolid(tree);
    return solidPolygons(tree);
  }
  const CsgRunResult run = runOperations(loadWorkload(KELVANE_SOURCE_DIR "/../shared/workloads/" + name + ".json"));
  return solidPolygons(*run.tree);
}

struct ResultCase {
  const char* name;
  int euler;  // 2 per piece, less 2 per handle
};

TEST_F(MeshExport, ResultsAreClosedManifoldsThatAdmeshLeavesAlone) {
  const ResultCase cases[] = {
      // The plate joins the two arms of the channel: one handle.
      {"demo", 0},
      // The cube's twelve edges stand out of the sphere: a frame of genus 5.
      {"cube-minus-sphere-16", -8},
      // The sphere's six caps outside the cube's faces.
      {"sphere-minus-cube-16", 12},
      // Sixteen openings, and four networks of holes through the cube:
      // cylinders 0, 2, 3, 4 and 5 cross (0, 3 and 5 in one place, so
      // without a loop), 1, 6 and 7 stand alone. Genus 16 - 4 = 12.
      {"swiss-cheese-8", -22},
      // Nine pieces: two of the ten boxes overlap, the rest stand apart.
      {"boxes-union-10", 18},
  };
  for (const ResultCase& c : cases) {
    SCOPED_TRACE(c.name);
    const PolyListRef result = resultOf(c.name);
    for (const MeshFormat format : {MeshFormat::Stl, MeshFormat::Obj}) {
      const std::string file = path(std::string(c.name) + (format == MeshFormat::Stl ? ".stl" : ".obj"));
      ExportedMesh exported;
      std::string error;
      ASSERT_TRUE(exportMesh(result, file, format, exported, error)) << error;
      MeshFile mesh;
      ASSERT_TRUE(format == MeshFormat::Stl ? readStl(file, mesh) : readObj(file, mesh));
      EXPECT_EQ(mesh.vertices.size(), exported.vertices) << file;
      EXPECT_EQ(mesh.faces.size(), exported.faces) << file;
      const MeshFacts facts = examine(mesh);
      EXPECT_EQ(facts.edgesNotPaired, 0) << file;
      EXPECT_EQ(facts.tJunctions, 0) << file;
      EXPECT_EQ(facts.zeroAreaFaces, 0) << file;
      EXPECT_EQ(facts.normalsOff, 0) << file;
      EXPECT_EQ(facts.euler(), c.euler) << file;
      EXPECT_NEAR(facts.volume, solidVolume(*result), 1e-6 * facts.volume) << file;
      if (format != MeshFormat::Stl) continue;
      const AdmeshReport admesh = runAdmesh(file);
      EXPECT_EQ(admesh.disconnectedFacets, 0) << admesh.text;
      EXPECT_EQ(admesh.degenerateFacets, 0) << admesh.text;
      EXPECT_EQ(admesh.edgesFixed, 0) << admesh.text;
      EXPECT_EQ(admesh.facetsRemoved, 0) << admesh.text;
      EXPECT_EQ(admesh.facetsAdded, 0) << admesh.text;
      EXPECT_EQ(admesh.facetsReversed, 0) << admesh.text;
      EXPECT_EQ(admesh.backwardsEdges, 0) << admesh.text;
      EXPECT_EQ(admesh.normalsFixed, 0) << admesh.text;
    }
  }
}

TEST_F(MeshExport, AnEmptyResultIsAnEmptyFile) {
  ExportedMesh exported;
  std::string error;
  ASSERT_TRUE(exportMesh(PolyListRef(), path("empty.stl"), MeshFormat::Stl, exported, error)) << error;
  EXPECT_EQ(fs::file_size(path("empty.stl")), 84u);
  EXPECT_EQ(exported.faces, 0u);
}

TEST_F(MeshExport, AFileThatCannotBeWrittenIsNamedAndNothingIsLeft) {
  const PolyListRef cube = listOf({cubeFace(1), cubeFace(2), cubeFace(3), cubeFace(4), cubeFace(5), cubeFace(6)});
  fs::create_directories(dir / "folder");
  {
    std::FILE* blocker = std::fopen(path("file").c_str(), "w");
    ASSERT_NE(blocker, nullptr);
    std::fclose(blocker);
  }
  const struct {
    std::string target;
    const char* message;
  } cases[] = {
      {"/dev/full", "cannot write '/dev/full': write: No space left on device"},
      {path("missing/cube.stl"), "cannot make a temporary file beside it: No such file or directory"},
      {path("file/cube.stl"), "cannot make a temporary file beside it: Not a directory"},
      {path("folder"), "it is a folder"},
  };
  for (const auto& c : cases) {
    ExportedMesh exported;
    std::string error;
    EXPECT_FALSE(exportMesh(cube, c.target, MeshFormat::Stl, exported, error)) << c.target;
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
  // Only what the test made: no half-written or temporary file.
  int entries = 0;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) entries += entry.path().empty() ? 0 : 1;
  EXPECT_EQ(entries, 2);
}

TEST_F(MeshExport, ReplacesAnOldFileWhole) {
  const PolyListRef cube = listOf({cubeFace(1), cubeFace(2), cubeFace(3), cubeFace(4), cubeFace(5), cubeFace(6)});
  ExportedMesh exported;
  std::string error;
  ASSERT_TRUE(exportMesh(cube, path("cube.obj"), MeshFormat::Obj, exported, error)) << error;
  ASSERT_TRUE(exportMesh(cube, path("cube.obj"), MeshFormat::Stl, exported, error)) << error;
  EXPECT_EQ(fs::file_size(path("cube.obj")), 84u + 50u * 12u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
  EXPECT_EQ(fs::status(path("cube.obj")).permissions() & fs::perms::others_read, fs::perms::others_read);
}

}  // namespace
