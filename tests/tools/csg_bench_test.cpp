// The CSG bench: a malformed workload named by the place of its fault, a
// workload beyond the system's limits refused before anything is built (the
// bench reports it skipped and goes on), and the demo workload combining
// solids as the program does.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/scene.h"
#include "bench/csg/csg_run.h"
#include "bench/csg/measurement.h"
#include "harness/workload.h"
#include "bsp/tree_probe.h"

namespace {

TEST(WorkloadReader, NamesThePlaceOfEachFault) {
  const char* const faults[][2] = {
      {"{\"name\": \"a\",\n  \"solids\": {,}}", "2:14: expected a member name"},
      {"\n\n  [", "3:4: unexpected end of file"},
      {"{\"name\":\"w\",\"solids\":{\"A\":[[[0,0,1e39],[1,0,0],[0,1,0]]]},\"ops\":[]}", "1:34: coordinate 1e39 is out"},
      {"{\"name\":\"w\",\"solids\":{\"A\":[]},\"ops\":[[\"union\",\"A\",\"B\"]]}", "1:51: no solid called \"B\""},
  };
  for (const auto& [text, says] : faults) {
    try {
      parseWorkload(text);
      ADD_FAILURE() << text << " was accepted";
    } catch (const InputError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(says, 0), 0u) << e.what();
    }
  }
}

TEST(WorkloadLimits, RefusesRingsWhosePiecesCannotBePolygonsAndTheReservedOperation) {
  auto refusal = [](int vertices, const std::string& kind) {
    std::string ring = "[0,0,0]";
    for (int i = 1; i < vertices; ++i) ring += ",[" + std::to_string(i) + ",0,0]";
    const std::string text = "{\"name\":\"w\",\"solids\":{\"A\":[[" + ring + "]]},\"ops\":[[\"" + kind + "\",\"A\",\"A\"]]}";
    return checkLimits(parseWorkload(text)).refusal;
  };
  EXPECT_EQ(refusal(254, "union"), "");
  EXPECT_NE(refusal(255, "union").find("255 vertices; a piece cut from it may need 256"), std::string::npos);
  EXPECT_NE(refusal(3, "intersect").find("\"intersect\""), std::string::npos);
}

// The demo workload describes the program's own model with its faces in
// another order, so the trees differ in shape but not in the solid they bound.
TEST(CsgRun, DemoWorkloadBuildsTheProgramsModel) {
  const auto file = std::filesystem::path(KELVANE_SOURCE_DIR) / ".." / "shared" / "workloads" / "demo.json";
  if (!std::filesystem::exists(file)) GTEST_SKIP() << "no shared workloads next to the repository";
  const CsgRunResult run = runOperations(loadWorkload(file.string()));
  buildScene();
  double areas[2] = {0.0, 0.0};
  for (const CountedPoly* p : allPolys(*run.tree)) areas[0] += area(*p);
  for (const CountedPoly* p : allPolys(*sceneTree)) areas[1] += area(*p);
  EXPECT_NEAR(areas[0], areas[1], 1e-3);
  for (int i = 0; i < 43 * 32 * 32; ++i) {
    const Point3 p = pt(-2.01f + 0.1f * (i / 1024), -1.51f + 0.1f * (i / 32 % 32), -1.51f + 0.1f * (i % 32));
    ASSERT_EQ(isInside(*run.tree, p), isInside(*sceneTree, p)) << p.x << ", " << p.y << ", " << p.z;
  }
}

// A box from its lower and upper corner as a workload solid: six faces,
// counterclockwise seen from outside.
std::string boxSolid(const float low[3], const float high[3]) {
  static const int kFaces[6][4] = {{0, 1, 2, 3}, {7, 6, 5, 4}, {0, 3, 7, 4}, {0, 4, 5, 1}, {5, 6, 2, 1}, {3, 2, 6, 7}};
  static const int kCorners[8][3] = {{1, 1, 1}, {0, 1, 1}, {0, 0, 1}, {1, 0, 1},
                                     {1, 1, 0}, {0, 1, 0}, {0, 0, 0}, {1, 0, 0}};
  std::string text = "[";
  for (const auto& face : kFaces) {
    text += text.size() > 1 ? ",[" : "[";
    for (int k = 0; k < 4; ++k) {
      const int* c = kCorners[face[k]];
      text += (k > 0 ? ",[" : "[") + std::to_string(c[0] ? high[0] : low[0]) + "," +
              std::to_string(c[1] ? high[1] : low[1]) + "," + std::to_string(c[2] ? high[2] : low[2]) + "]";
    }
    text += "]";
  }
  return text + "]";
}

// The volume column: a cube with a box of a quarter of it cut away from
// one side, then that box's half put back.
TEST(CsgMeasurement, ReportsTheVolumeOfTheResult) {
  const float cube[2][3] = {{-1, -1, -1}, {1, 1, 1}};
  const float slot[2][3] = {{0, 0, -2}, {2, 2, 2}};
  const float half[2][3] = {{0, 0, -1}, {1, 1, 0}};
  const Workload workload = parseWorkload(
      "{\"name\":\"w\",\"solids\":{\"A\":" + boxSolid(cube[0], cube[1]) + ",\"B\":" + boxSolid(slot[0], slot[1]) +
      ",\"C\":" + boxSolid(half[0], half[1]) +
      "},\"ops\":[[\"subtract\",\"A\",\"B\"],[\"union\",\"<result>\",\"C\"]]}");
  RepetitionPolicy once;
  once.minReps = 1;
  once.minSeconds = 0.0;
  const Measurement m = measure(workload, once);
  EXPECT_NEAR(m.volume, 8.0 - 2.0 + 1.0, 1e-9);
  Measurement back;
  ASSERT_TRUE(decode(encode(m), back));
  EXPECT_EQ(back.volume, m.volume);
}

}  // namespace
