// Every program as a user meets it: the same command line conventions, the
// same exit statuses (0 done, 1 failed, 2 bad usage), and output that is
// checked, so that a failed write is a failure.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/run_command.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string out, err;
};

const fs::path kScratch = fs::temp_directory_path() / ("kelvane-programs-" + std::to_string(getpid()));

// `command` through the shell, stdout and stderr apart.
Outcome run(const std::string& command) {
  fs::create_directories(kScratch);
  const fs::path errors = kScratch / "stderr";
  const CommandRun run = runCommand(command + " 2>" + errors.string());
  Outcome r{run.status, run.output, ""};
  std::ostringstream text;
  text << std::ifstream(errors).rdbuf();
  r.err = text.str();
  return r;
}

struct Program {
  const char* name;
  const char* path;          // in the build folder
  const char* outOfRange;    // an option with a value outside its range
  const char* range;         // what the refusal states
  const char* writesOutput;  // arguments of a run that writes to stdout
};

const Program kPrograms[] = {
    {"kelvane", "kelvane", "--nope", "unknown option '--nope'", nullptr},
    {"kelvane-render", "kelvane-render", "--out=x --drag 1,1:2,2:10001", "from 0 to 10000", "--out OUT --drag 1,1:9,9:2"},
    {"kelvane-soak", "kelvane-soak", "--drags 0", "from 1 to 1000000", "--drags=3"},
    {"kelvane-faults", "kelvane-faults", "--timeout=0", "from 0.001 to 3600", "--show Flip:1"},
    {"kelvane-csg-bench", "bench/kelvane-csg-bench", "--min-reps=0 W", "from 1 to 1000000000",
     "--min-reps 1 --max-reps=1 --min-time=0 W"},
};

class Programs : public ::testing::TestWithParam<Program> {
 protected:
  void SetUp() override {
    program = (fs::path(KELVANE_BINARY_DIR) / GetParam().path).string();
    if (access(program.c_str(), X_OK) != 0) GTEST_SKIP() << GetParam().path << " is not built";
    fs::create_directories(kScratch);
    std::ofstream(kScratch / "w.json") << R"({"name": "w", "solids": {"A": [[[0,0,0],[1,0,0],[0,1,0]]]},
      "ops": [["union", "A", "A"]]})";
  }
  void TearDown() override { fs::remove_all(kScratch); }

  // The arguments with W for the workload and OUT for a fresh folder.
  std::string with(std::string arguments) const {
    for (const auto& [mark, path] : {std::pair{std::string("OUT"), kScratch / "out"}, {"W", kScratch / "w.json"}}) {
      for (std::size_t at; (at = arguments.find(mark)) != std::string::npos;) arguments.replace(at, mark.size(), path);
    }
    return arguments;
  }

  std::string program;
};

TEST_P(Programs, HelpIsUsageOnStandardOutputAndStatusZero) {
  for (const char* help : {"--help", "-h"}) {
    const Outcome r = run(program + " " + help);
    EXPECT_EQ(r.status, 0) << help << r.err;
    EXPECT_EQ(r.out.rfind("usage: " + std::string(GetParam().name) + " ", 0), 0u) << r.out;
    EXPECT_EQ(r.err, "");
  }
}

TEST_P(Programs, ABadCommandLineIsOneLineStatusTwo) {
  for (const std::string& arguments : {std::string("--no-such-option"), with(GetParam().outOfRange)}) {
    const Outcome r = run(program + " " + arguments);
    EXPECT_EQ(r.status, 2) << arguments;
    EXPECT_EQ(r.out, "");
    const std::string name = GetParam().name;
    EXPECT_EQ(r.err.rfind(name + ": ", 0), 0u) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_NE(r.err.find("(try " + name + " --help)"), std::string::npos) << r.err;
  }
  EXPECT_NE(run(program + " " + with(GetParam().outOfRange)).err.find(GetParam().range), std::string::npos);
}

// Output that cannot be written is a failure, said on stderr.
TEST_P(Programs, AFailedWriteIsAFailure) {
  std::vector<std::string> runs = {"--help"};
  if (GetParam().writesOutput != nullptr) runs.push_back(with(GetParam().writesOutput));
  for (const std::string& arguments : runs) {
    const Outcome r = run(program + " " + arguments + " >/dev/full");
    EXPECT_EQ(r.status, 1) << arguments << "\n" << r.err;
    EXPECT_NE(r.err.find("cannot write the output: No space left on device"), std::string::npos) << r.err;
  }
}

INSTANTIATE_TEST_SUITE_P(Each, Programs, ::testing::ValuesIn(kPrograms),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& c : name) c = c == '-' ? '_' : c;
                           return name;
                         });

std::string binary(const char* path) { return (fs::path(KELVANE_BINARY_DIR) / path).string(); }

TEST(FaultRun, ShowingACallTheSessionNeverMakesIsRefused) {
  const std::pair<const char*, const char*> cases[] = {
      {"--show=Nope:1", "the session makes no call Nope"},
      {"--show=Flip:999", "there is no call number 999"},
      {"--show=Flip", "is not CALL:NTH[:persistent]"},
  };
  for (const auto& [arguments, says] : cases) {
    const Outcome r = run(binary("kelvane-faults") + " " + arguments);
    EXPECT_EQ(r.status, 2) << arguments;
    EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

// Rows name the file, and a name cannot break the table.
TEST(CsgBench, RowsNameTheFileAndEscapeTabsAndLineBreaks) {
  const std::string bench = binary("bench/kelvane-csg-bench");
  if (access(bench.c_str(), X_OK) != 0) GTEST_SKIP() << "the CSG bench is not built";
  fs::create_directories(kScratch);
  const fs::path file = kScratch / "-odd.json";
  std::ofstream(file) << R"({"name": "a\tb\nc\\d", "solids": {"A": [[[0,0,0],[1,0,0],[0,1,0]]]},
    "ops": [["union", "A", "A"]]})";
  const Outcome r = run("cd " + kScratch.string() + " && " + bench + " --no-header --max-reps=1 --min-time=0 -- -odd.json");
  fs::remove_all(kScratch);
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> fields;
  std::istringstream row(r.out);
  for (std::string field; std::getline(row, field, '\t');) fields.push_back(field);
  ASSERT_EQ(fields.size(), 12u) << r.out;
  EXPECT_EQ(fields[0], "a\\tb\\nc\\\\d");
  EXPECT_EQ(fields[1], "kelvane");
  EXPECT_EQ(fields[10], "-odd.json");
  EXPECT_EQ(r.out.back(), '\n');
  EXPECT_EQ(r.out.find('\n'), r.out.size() - 1);
}

// make run where DISPLAY names no server: one line from the program saying
// why, then the frames it renders instead.
TEST(RunDemo, AStaleDisplayFallsBackToFrames) {
  const fs::path build = kScratch / "build";
  fs::create_directories(build);
  for (const char* program : {"kelvane", "kelvane-render"}) fs::create_symlink(binary(program), build / program);
  const Outcome r = run("env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY=:399 " KELVANE_SOURCE_DIR "/scripts/run-demo " +
                    build.string());
  const bool framesWritten = fs::exists(build / "demo-frames" / "frame-0001.png");
  fs::remove_all(kScratch);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "kelvane: no display available: cannot open the X display ':399': no X server accepts a "
                   "connection there\n");
  EXPECT_TRUE(framesWritten) << r.out;
}

}  // namespace
