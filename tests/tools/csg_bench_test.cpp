// The CSG bench: a malformed workload named by the place of its fault, every
// well-formed workload run (long rings and intersections too), and the demo
// workload combining solids into the program's model.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "app/scene.h"
#include "bench/csg/csg_run.h"
#include "bench/csg/measurement.h"
#include "bsp/solids.h"
#include "harness/workload.h"

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

// A prism of 300 sides through a cube: rings beyond a polygon's vertex
// count are taken as coplanar parts, and all three operations run.
TEST(WorkloadLimits, LongRingsAndEveryOperationRun) {
  const int n = 300;
  std::string top, bottom, sides;
  for (int i = 0; i < n; ++i) {
    const auto at = [&](int k, int z) {
      return "[" + std::to_string(0.5 * std::cos(2 * M_PI * k / n)) + "," +
             std::to_string(0.5 * std::sin(2 * M_PI * k / n)) + "," + std::to_string(z) + "]";
    };
    top += (i ? "," : "") + at(i, 2);
    bottom += (i ? "," : "") + at(n - 1 - i, -2);
    sides += "," + std::string("[") + at(i, -2) + "," + at(i + 1, -2) + "," + at(i + 1, 2) + "," + at(i, 2) + "]";
  }
  const std::string cube =
      "[[[1,1,1],[-1,1,1],[-1,-1,1],[1,-1,1]],[[1,-1,-1],[-1,-1,-1],[-1,1,-1],[1,1,-1]],"
      "[[1,1,1],[1,-1,1],[1,-1,-1],[1,1,-1]],[[1,1,1],[1,1,-1],[-1,1,-1],[-1,1,1]],"
      "[[-1,1,-1],[-1,-1,-1],[-1,-1,1],[-1,1,1]],[[1,-1,1],[-1,-1,1],[-1,-1,-1],[1,-1,-1]]]";
  const Workload w = parseWorkload("{\"name\":\"w\",\"solids\":{\"C\":" + cube + ",\"R\":[[" + top + "],[" + bottom +
                                   "]" + sides + "]},\"ops\":[[\"intersect\",\"C\",\"R\"],[\"union\",\"<result>\",\"C\"]," +
                                   "[\"subtract\",\"<result>\",\"R\"]]}");
  const LimitCheck limits = checkLimits(w);
  EXPECT_EQ(limits.refusal, "");
  EXPECT_NE(limits.note.find("300 vertices"), std::string::npos);
  const CsgRunResult run = runOperations(w);
  const double disc = 0.5 * n * 0.25 * std::sin(2 * M_PI / n);
  EXPECT_NEAR(solidVolume(*solidPolygons(*run.tree)), 8 - 2 * disc, 1e-4);
}

// The demo workload describes the program's own model with its faces in
// another order, so the trees differ in shape but not in the solid they
// bound; the bench's tree has a closed surface, the program's keeps the
// faces inside the plate that its last step leaves.
TEST(CsgRun, DemoWorkloadBuildsTheProgramsModel) {
  const auto file = std::filesystem::path(KELVANE_SOURCE_DIR) / ".." / "shared" / "workloads" / "demo.json";
  if (!std::filesystem::exists(file)) GTEST_SKIP() << "no shared workloads next to the repository";
  const CsgRunResult run = runOperations(loadWorkload(file.string()));
  buildScene();
  EXPECT_LE(figuresOf(*run.tree).openness, 1e-6);
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
