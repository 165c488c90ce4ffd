#include <gtest/gtest.h>

#include <vector>

#include "bsp/path_steps.h"

namespace {

bool same(const TreePath& a, const TreePath& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].plane != b[i].plane || a[i].back != b[i].back) return false;
  }
  return true;
}

// Paths as a depth-first walk meets them: sharing beginnings of different
// lengths, the same plane taken on both sides, a path that ends where an
// earlier one passed, and the root's own empty path. Each must come back
// whole and in order, however many were recorded after it.
TEST(PathSteps, EveryPathComesBackAsRecorded) {
  Plane planes[4];
  const auto step = [&planes](int i, bool back) { return PathStep{&planes[i], back}; };
  const std::vector<TreePath> walk = {
      {},
      {step(0, true)},
      {step(0, true), step(1, true), step(2, false)},
      {step(0, true), step(1, true), step(2, true)},
      {step(0, true), step(1, false)},
      {step(0, false), step(3, true)},
      {step(0, false), step(3, true), step(1, true)},
      {step(0, false)},
  };
  PathSteps steps;
  for (int round = 0; round < 2; ++round) {
    std::vector<std::size_t> ends;
    for (const TreePath& path : walk) ends.push_back(steps.add(path));
    TreePath spelled;
    for (std::size_t i = 0; i < walk.size(); ++i) {
      steps.spell(ends[i], spelled);
      EXPECT_TRUE(same(spelled, walk[i])) << "path " << i << " of round " << round;
    }
    // Forgotten, with its room kept or given back, it starts afresh.
    steps.clear(round == 0 ? 1024 : 0);
  }
}

}  // namespace
