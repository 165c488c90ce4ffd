// Exported results as another program sees them: the files read back by
// exact coordinates and measured, and checked by admesh; and files that
// cannot be written.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/scene.h"
#include "bench/csg/csg_run.h"
#include "bsp/csg.h"
#include "model/mesh_export.h"
#include "model/mesh_file.h"
#include "model/scene_evaluation.h"
#include "model/scene_file.h"
#include "polygon/measure.h"
#include "polygon/test_shapes.h"
#include "support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

class MeshExport : public ScratchFolderTest {
 protected:
  MeshExport() : ScratchFolderTest("export-test") {}

  std::string path(const std::string& name) const { return (dir / name).string(); }
};

// The boundary of the demo's solid, of a shared workload's result (the
// bench's run), or of an example scene.
PolyListRef resultOf(const fs::path& source) {
  BspTree tree;
  if (source.empty()) {
    buildSceneSolid(tree);
    return solidPolygons(tree);
  }
  if (source.extension() == ".json") return solidPolygons(*runOperations(loadWorkload(source.string())).tree);
  evaluateScene(loadScene(source.string()), tree);
  return solidPolygons(tree);
}

struct ResultCase {
  fs::path source;  // empty: the demo
  int euler;        // 2 per piece, less 2 per handle; 1: not checked
};

std::vector<ResultCase> resultCases() {
  const fs::path root(KELVANE_SOURCE_DIR);
  std::vector<ResultCase> cases = {
      // The plate joins the two arms of the channel: one handle.
      {"", 0},
      // The cube's twelve edges stand out of the sphere: a frame of genus 5.
      {root / "../shared/workloads/cube-minus-sphere-16.json", -8},
      // The sphere's six caps outside the cube's faces.
      {root / "../shared/workloads/sphere-minus-cube-16.json", 12},
      // Sixteen openings, and four networks of holes through the cube:
      // cylinders 0, 2, 3, 4 and 5 cross (0, 3 and 5 in one place, so
      // without a loop), 1, 6 and 7 stand alone. Genus 16 - 4 = 12.
      {root / "../shared/workloads/swiss-cheese-8.json", -22},
      // Nine pieces: two of the ten boxes overlap, the rest stand apart.
      {root / "../shared/workloads/boxes-union-10.json", 18},
  };
  std::vector<fs::path> more;
#if !defined(__SANITIZE_ADDRESS__)
  // Every other shipped workload and example (minutes under the sanitizers).
  for (const fs::path& folder : {root / "../shared/workloads", root / "examples"}) {
    if (!fs::is_directory(folder)) continue;
    for (const auto& entry : fs::directory_iterator(folder)) {
      const fs::path& file = entry.path();
      if (file.extension() != ".json" && file.extension() != ".csg" && file.extension() != ".obj") continue;
      // Seams that meet only within a tolerance or two, where a fine
      // sphere's or cylinder's planes meet at shallow angles: still refused
      // as open.
      const std::string stem = file.stem().string();
      if (stem == "cube-minus-sphere-256" || stem == "swiss-cheese-256") {
        continue;
      }
      const auto same = [&](const ResultCase& c) { return !c.source.empty() && fs::equivalent(c.source, file); };
      if (std::none_of(cases.begin(), cases.end(), same)) more.push_back(file);
    }
  }
#endif
  std::sort(more.begin(), more.end());
  for (const fs::path& file : more) cases.push_back({file, 1});
  return cases;
}

TEST_F(MeshExport, ResultsAreClosedManifoldsThatAdmeshLeavesAlone) {
  for (const ResultCase& c : resultCases()) {
    const std::string name = c.source.empty() ? "demo" : c.source.stem().string();
    SCOPED_TRACE(name);
    const PolyListRef result = resultOf(c.source);
    for (const MeshFormat format : {MeshFormat::Stl, MeshFormat::Obj}) {
      const std::string file = path(name + (format == MeshFormat::Stl ? ".stl" : ".obj"));
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
      if (c.euler != 1) {
        EXPECT_EQ(facts.euler(), c.euler) << file;
      }
      // The bench's volume is the one of the result's own polygons.
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
