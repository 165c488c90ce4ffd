// The CSG bench's runs: operations combined the way the demo combines its
// boxes, trees measured without recursion, and runs isolated in a child so
// that what kills them is reported rather than shared.
#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <memory>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "bench/csg/csg_run.h"
#include "bench/csg/isolated_run.h"
#include "bench/csg/measurement.h"
#include "bench/csg/workload.h"
#include "bsp/bsp_node.h"
#include "bsp/tree_probe.h"
#include "polygon/fatal.h"
#ifdef KELVANE_HAS_SCENE
#include "app/scene.h"
#endif

namespace {

// The cube [lo, hi]^3 as a workload solid, faces counterclockwise from outside.
std::string cube(float lo, float hi) {
  static const int kFaces[6][4] = {{0, 1, 2, 3}, {7, 6, 5, 4}, {0, 3, 7, 4}, {0, 4, 5, 1}, {5, 6, 2, 1}, {3, 2, 6, 7}};
  const std::string a = std::to_string(lo), b = std::to_string(hi);
  const std::string corners[8] = {b + "," + b + "," + b, a + "," + b + "," + b, a + "," + a + "," + b,
                                  b + "," + a + "," + b, b + "," + b + "," + a, a + "," + b + "," + a,
                                  a + "," + a + "," + a, b + "," + a + "," + a};
  std::string solid = "[";
  for (const auto& face : kFaces) {
    solid += solid.size() > 1 ? ",[" : "[";
    for (int i = 0; i < 4; ++i) solid += (i > 0 ? ",[" : "[") + corners[face[i]] + "]";
    solid += "]";
  }
  return solid + "]";
}

std::unique_ptr<BspTree> resultOf(const std::string& ops, const std::string& solids) {
  const Workload w = parseWorkload("{\"name\":\"t\",\"solids\":{" + solids + "},\"ops\":" + ops + "}");
  return runOperations(w).tree;
}

bool isInside(const BspTree& tree, float x, float y, float z) { return isInside(tree, Point3(x, y, z, 1.0f)); }

// The area of every polygon of the tree: pieces add up to the faces they
// were cut from.
double surfaceArea(const BspTree& tree) {
  double total = 0.0;
  for (const CountedPoly* p : allPolys(tree)) total += area(*p);
  return total;
}

const std::string kSolids = "\"big\":" + cube(-2, 2) + ",\"a\":" + cube(-1, -0.5f) + ",\"b\":" + cube(0.5f, 1);

TEST(CsgRun, SubtractLeavesACavity) {
  const auto tree = resultOf("[[\"subtract\",\"big\",\"a\"]]", kSolids);
  EXPECT_TRUE(isInside(*tree, 1.5f, 1.5f, 1.5f));
  EXPECT_FALSE(isInside(*tree, -0.75f, -0.75f, -0.75f));
  EXPECT_FALSE(isInside(*tree, 3, 0, 0));
  EXPECT_NEAR(surfaceArea(*tree), 6 * 16 + 6 * 0.25, 1e-4);
}

TEST(CsgRun, UnionKeepsBothSolids) {
  const auto tree = resultOf("[[\"union\",\"a\",\"b\"]]", kSolids);
  EXPECT_TRUE(isInside(*tree, -0.75f, -0.75f, -0.75f));
  EXPECT_TRUE(isInside(*tree, 0.75f, 0.75f, 0.75f));
  EXPECT_FALSE(isInside(*tree, 0, 0, 0));
  EXPECT_NEAR(surfaceArea(*tree), 2 * 6 * 0.25, 1e-4);
}

TEST(CsgRun, AnEarlierResultServesAsTheSubtractedSolid) {
  const auto tree = resultOf("[[\"union\",\"a\",\"b\"],[\"subtract\",\"big\",\"<result>\"]]", kSolids);
  EXPECT_TRUE(isInside(*tree, 0, 0, 0));
  EXPECT_FALSE(isInside(*tree, -0.75f, -0.75f, -0.75f));
  EXPECT_FALSE(isInside(*tree, 0.75f, 0.75f, 0.75f));
  EXPECT_NEAR(surfaceArea(*tree), 6 * 16 + 2 * 6 * 0.25, 1e-4);
}

TEST(CsgRun, MeasuresTheCubeChain) {
  const TreeShape shape = measureTree(*resultOf("[[\"union\",\"a\",\"a\"]]", "\"a\":" + cube(-1, 1)));
  EXPECT_EQ(shape.nodes, 6u);
  EXPECT_EQ(shape.depth, 6u);
}

#ifdef KELVANE_HAS_SCENE
// The bench must combine solids as the program does: the demo workload
// describes the program's own model (its faces in another order, so the
// trees differ in shape but not in the solid they bound).
TEST(CsgRun, DemoWorkloadBuildsTheProgramsModel) {
  const std::filesystem::path file =
      std::filesystem::path(KELVANE_SOURCE_DIR) / ".." / "shared" / "workloads" / "demo.json";
  if (!std::filesystem::exists(file)) GTEST_SKIP() << "no shared workloads next to the repository";
  const CsgRunResult run = runOperations(loadWorkload(file.string()));
  buildScene();
  int disagreements = 0;
  for (float x = -2.01f; x < 2.2f; x += 0.1f) {
    for (float y = -1.51f; y < 1.6f; y += 0.1f) {
      for (float z = -1.51f; z < 1.6f; z += 0.1f) {
        disagreements += isInside(*run.tree, x, y, z) != isInside(*sceneTree, x, y, z);
      }
    }
  }
  EXPECT_EQ(disagreements, 0);
  EXPECT_NEAR(surfaceArea(*run.tree), surfaceArea(*sceneTree), 1e-3);
}
#endif

TEST(Measurement, MedianOfOddAndEvenCounts) {
  EXPECT_EQ(median({3.0, 1.0, 2.0}), 2.0);
  EXPECT_EQ(median({4.0, 1.0, 3.0, 2.0}), 2.5);
}

TEST(Measurement, SurvivesTheTripFromChildToParent) {
  Measurement m;
  m.medianMs = 1.25;
  m.minMs = 0.5;
  m.reps = 7;
  m.shape.polygons = 32;
  m.shape.depth = 12;
  Measurement back;
  ASSERT_TRUE(decode(encode(m), back));
  EXPECT_EQ(back.medianMs, 1.25);
  EXPECT_EQ(back.reps, 7u);
  EXPECT_EQ(back.shape.polygons, 32u);
  EXPECT_EQ(back.shape.depth, 12u);
  EXPECT_FALSE(decode("not measured", back));
}

constexpr std::size_t kSmallStack = 8u << 20;

// Deeper than any stack: the bound is out of the compiler's sight.
volatile int bottomless = 1 << 30;

int deeper(int n) {
  volatile char frame[512];
  frame[0] = static_cast<char>(n);
  return n < bottomless ? deeper(n + 1) + frame[0] : 0;
}

TEST(IsolatedRun, PassesTheResultOfAFinishedRun) {
  const IsolatedOutcome o = runIsolated([] { return std::string("42"); }, kSmallStack, 30);
  EXPECT_EQ(o.status, IsolatedOutcome::Finished);
  EXPECT_EQ(o.output, "42");
}

TEST(IsolatedRun, ReportsAStackOverflow) {
  const IsolatedOutcome o = runIsolated([] { return std::to_string(deeper(0)); }, kSmallStack, 30);
  EXPECT_EQ(o.status, IsolatedOutcome::StackOverflow) << o.detail;
  EXPECT_NE(o.detail.find("8 MiB"), std::string::npos);
}

TEST(IsolatedRun, ReportsTheSystemStoppingAtALimit) {
  const IsolatedOutcome o = runIsolated(
      []() -> std::string { fatal("more than 255 handles on one polygon or list"); }, kSmallStack, 30);
  EXPECT_EQ(o.status, IsolatedOutcome::Stopped);
  EXPECT_NE(o.detail.find("more than 255 handles"), std::string::npos);
}

TEST(IsolatedRun, GivesUpOnARunThatDoesNotEnd) {
  const IsolatedOutcome o = runIsolated(
      [] {
        std::this_thread::sleep_for(std::chrono::seconds(60));
        return std::string();
      },
      kSmallStack, 0.2);
  EXPECT_EQ(o.status, IsolatedOutcome::TimedOut);
}

TEST(IsolatedRun, ReportsOtherDeathsAsCrashes) {
  const IsolatedOutcome o = runIsolated(
      [] {
        std::raise(SIGTERM);
        return std::string();
      },
      kSmallStack, 30);
  EXPECT_EQ(o.status, IsolatedOutcome::Crashed);
  EXPECT_NE(o.detail.find("signal"), std::string::npos);
  const IsolatedOutcome threw = runIsolated([]() -> std::string { throw std::runtime_error("no"); }, kSmallStack, 30);
  EXPECT_EQ(threw.status, IsolatedOutcome::Crashed);
  EXPECT_NE(threw.detail.find("no"), std::string::npos);
}

}  // namespace
