// The shared command line: the forms every program accepts, the one-line
// answers to bad ones, and the statuses it ends with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/command_line.h"

namespace {

struct Parsed {
  std::optional<int> end;
  std::string seen;    // the actions in the order they ran
  std::string errors;  // what went to stderr
};

// A program with a number, a text, a switch that is a step, and operands.
Parsed parse(std::vector<const char*> args) {
  Parsed p;
  int drags = 0;
  std::string out;
  support::CommandLine line("prog", "[options] FILE...");
  line.option("--drags", "N", "drags", 1, 100, drags)
      .option("--out", "DIR", "where", [&](const std::string& v) { p.seen += "out=" + v + " "; })
      .flag("--step", "a step", [&] { p.seen += "step "; })
      .operands("FILE", "files", [&](const std::string& v) { p.seen += "file=" + v + " "; }, 1);
  args.insert(args.begin(), "prog");
  testing::internal::CaptureStderr();
  p.end = line.parse(static_cast<int>(args.size()), args.data());
  p.errors = testing::internal::GetCapturedStderr();
  if (drags != 0) p.seen += "drags=" + std::to_string(drags) + " ";
  return p;
}

TEST(CommandLine, TakesBothValueFormsInOrderAndOperandsAfterTheEndOfOptions) {
  const struct {
    std::vector<const char*> args;
    const char* seen;
  } cases[] = {
      {{"--out=a", "--step", "x", "--out", "b"}, "out=a step file=x out=b "},
      {{"--drags=7", "x"}, "file=x drags=7 "},
      {{"--drags", "7", "x"}, "file=x drags=7 "},
      {{"x", "--", "--step", "-"}, "file=x file=--step file=- "},
      {{"--out=", "x"}, nullptr},  // an empty value is none
  };
  for (const auto& c : cases) {
    const Parsed p = parse(c.args);
    if (c.seen == nullptr) {
      EXPECT_EQ(p.end, support::kExitUsage);
      continue;
    }
    EXPECT_FALSE(p.end.has_value()) << p.errors;
    EXPECT_EQ(p.seen, c.seen);
  }
}

TEST(CommandLine, RefusesInOneLineThatPointsToHelp) {
  const struct {
    std::vector<const char*> args;
    const char* says;
  } cases[] = {
      {{"--spin", "x"}, "unknown option '--spin'"},
      {{"--drags=0", "x"}, "--drags: '0' is not a whole number from 1 to 100"},
      {{"x", "--out"}, "--out needs a value DIR"},
      {{"--out", "--step", "x"}, "--out needs a value DIR"},
      {{"--step=yes", "x"}, "--step takes no value"},
      {{"--step"}, "no FILE given"},
  };
  for (const auto& c : cases) {
    const Parsed p = parse(c.args);
    EXPECT_EQ(p.end, support::kExitUsage) << c.says;
    EXPECT_EQ(p.errors, "prog: " + std::string(c.says) + " (try prog --help)\n");
  }
}

TEST(CommandLine, HelpGoesToStandardOutputAndStatesRanges) {
  for (const char* help : {"-h", "--help"}) {
    testing::internal::CaptureStdout();
    const Parsed p = parse({"--spin", help});
    const std::string usage = testing::internal::GetCapturedStdout();
    // The first fault ends the parse; help after it is not reached.
    EXPECT_EQ(p.end, support::kExitUsage);
    testing::internal::CaptureStdout();
    const Parsed asked = parse({help, "--spin"});
    const std::string shown = testing::internal::GetCapturedStdout();
    EXPECT_EQ(asked.end, support::kExitDone);
    EXPECT_EQ(shown.rfind("usage: prog [options] FILE...\n", 0), 0u) << shown;
    EXPECT_NE(shown.find("--drags N             drags [1..100]"), std::string::npos) << shown;
    EXPECT_TRUE(usage.empty());
  }
}

TEST(CommandLine, RealNumbersAndTheirRange) {
  EXPECT_DOUBLE_EQ(support::parseReal("0.25", 0, 1, "--t"), 0.25);
  for (const char* bad : {"", " 1", "1x", "nan", "inf", "2", "-0.5"}) {
    EXPECT_THROW(support::parseReal(bad, 0, 1, "--t"), support::UsageError) << bad;
  }
  try {
    support::parseReal("2", 0.001, 1.5, "--t");
  } catch (const support::UsageError& e) {
    EXPECT_STREQ(e.what(), "--t: '2' is not a number from 0.001 to 1.5");
  }
}

}  // namespace
