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
#include "tests/tools/workload_solids.h"

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

// A prism of 300 sides through a cube: rings beyond a polygon's vertex
// count are taken as coplanar parts, and all three operations run.
TEST(WorkloadLimits, LongRingsAndEveryOperationRun) {
  const int n = 300;
  const auto at = [](int k, float z) {
    return Vertex{float(0.5 * std::cos(2 * M_PI * k / n)), float(0.5 * std::sin(2 * M_PI * k / n)), z};
  };
  Solid rod;
  PolygonRing top, bottom;
  for (int i = 0; i < n; ++i) {
    top.vertices.push_back(at(i, 2));
    bottom.vertices.push_back(at(n - 1 - i, -2));
    rod.polygons.push_back({{at(i, -2), at(i + 1, -2), at(i + 1, 2), at(i, 2)}, {}});
  }
  rod.polygons.push_back(top);
  rod.polygons.push_back(bottom);
  const Workload w = chainOf({solidOf(cubeAround(0, 1)), rod},
                             {{OpKind::Intersect, 0, 1}, {OpKind::Union, -1, 0}, {OpKind::Subtract, -1, 1}});
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

}  // namespace
