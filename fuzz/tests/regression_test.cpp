// Replays every input that once broke a fuzz target, kept in
// fuzz/regressions/<target>/, and the seeds the fuzzers start from
// (fuzz/seeds/<target>/), through the same check the fuzzer runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "fuzz/checks.h"
#include "fuzz/invariant.h"

namespace {

namespace fs = std::filesystem;

const fs::path kFuzz = fs::path(KELVANE_SOURCE_DIR) / "fuzz";

struct Case {
  std::string target;
  fs::path file;
  FuzzCheck check;
};

// Printed by name: the default byte dump would read the struct's padding.
void PrintTo(const Case& c, std::ostream* out) { *out << c.file.string(); }

std::vector<Case> allCases() {
  std::vector<Case> cases;
  for (const char* kind : {"regressions", "seeds"}) {
    for (const FuzzTarget& target : fuzzTargets()) {
      const fs::path folder = kFuzz / kind / target.name;
      if (!fs::is_directory(folder)) continue;
      std::vector<fs::path> files;
      for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
      }
      std::sort(files.begin(), files.end());
      for (const fs::path& file : files) cases.push_back({std::string(kind) + "_" + target.name, file, target.check});
    }
  }
  return cases;
}

std::string caseName(const testing::TestParamInfo<Case>& info) {
  std::string name = info.param.target + "_" + info.param.file.filename().string();
  std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
  return name;
}

class Regression : public testing::TestWithParam<Case> {};
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Regression);

TEST_P(Regression, InvariantsHold) {
  std::ifstream in(GetParam().file, std::ios::binary);
  ASSERT_TRUE(in) << GetParam().file;
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  try {
    GetParam().check(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  } catch (const InvariantBroken& broken) {
    FAIL() << GetParam().file << ": " << broken.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Fuzz, Regression, testing::ValuesIn(allCases()), caseName);

TEST(RegressionFolders, EachNamesAFuzzTarget) {
  for (const char* kind : {"regressions", "seeds"}) {
    if (!fs::is_directory(kFuzz / kind)) continue;
    for (const auto& entry : fs::directory_iterator(kFuzz / kind)) {
      const std::string name = entry.path().filename().string();
      const bool known = std::any_of(fuzzTargets().begin(), fuzzTargets().end(),
                                     [&](const FuzzTarget& t) { return name == t.name; });
      EXPECT_TRUE(known) << kind << "/" << name << " is no fuzz target; its inputs would never run";
    }
  }
}

}  // namespace
