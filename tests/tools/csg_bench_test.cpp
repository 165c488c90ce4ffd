// The CSG bench: a malformed workload named by the place of its fault, a
// workload beyond the system's limits refused before anything is built (the
// bench reports it skipped and goes on), and the demo workload combining
// solids as the program does.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/scene.h"
#include "bench/csg/csg_run.h"
#include "harness/workload.h"
#include "bsp/tree_probe.h"

namespace {

TEST(WorkloadReader, NamesThePlaceOfEachFault) {
  const char* const faults[][2] = {
      {"{\"name\": \"a\",\n  \"solids\": {,}}", "2:14: expected a member name"},
      {"\n\n  {", "3:4: unexpected end of file"},
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

}  // namespace
