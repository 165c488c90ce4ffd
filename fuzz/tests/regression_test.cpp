// Replays every input that once broke a fuzz target, kept in
// fuzz/regressions/<target>/, and the seeds the fuzzers start from
// (fuzz/seeds/<target>/), through the same check the fuzzer runs. An input
// in a folder that names no target fails rather than never runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/checks.h"

namespace {

namespace fs = std::filesystem;

const fs::path kFuzz = fs::path(KELVANE_SOURCE_DIR) / "fuzz";

std::vector<std::string> allInputs() {
  std::vector<std::string> files;
  for (const char* kind : {"regressions", "seeds"}) {
    for (const auto& entry : fs::recursive_directory_iterator(kFuzz / kind)) {
      if (entry.is_regular_file()) files.push_back(entry.path().string());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

class Regression : public testing::TestWithParam<std::string> {};

TEST_P(Regression, InvariantsHold) {
  const fs::path file = GetParam();
  const auto* target = std::find_if(std::begin(kFuzzTargets), std::end(kFuzzTargets),
                                    [&](const FuzzTarget& t) { return file.parent_path().filename() == t.name; });
  ASSERT_NE(target, std::end(kFuzzTargets)) << file.parent_path() << " names no fuzz target";
  std::ifstream in(file, std::ios::binary);
  ASSERT_TRUE(in) << file;
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  try {
    target->check(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  } catch (const InvariantBroken& broken) {
    FAIL() << file << ": " << broken.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Fuzz, Regression, testing::ValuesIn(allInputs()), [](const auto& info) {
  std::string name = fs::path(info.param).lexically_relative(kFuzz).string();
  std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
  return name;
});

}  // namespace
