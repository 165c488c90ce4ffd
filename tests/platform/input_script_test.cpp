#include "platform/input_script.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/win32.h"

namespace {

using platform::InputEvent;
using platform::ScriptError;
using platform::ScriptEvent;
using platform::ScriptStep;

std::vector<ScriptStep> parsed(const std::string& text) {
  std::vector<ScriptStep> steps;
  ScriptError error;
  EXPECT_TRUE(platform::parseInputScript(text, steps, error)) << error.text();
  return steps;
}

ScriptError errorOf(const std::string& text) {
  std::vector<ScriptStep> steps;
  ScriptError error;
  EXPECT_FALSE(platform::parseInputScript(text, steps, error)) << text;
  EXPECT_TRUE(steps.empty());
  return error;
}

std::string where(const ScriptError& error) {
  return std::to_string(error.line) + ":" + std::to_string(error.column);
}

TEST(InputScript, ReadsEveryEventOneStepPerLine) {
  auto steps = parsed(
      "# a drag\n"
      "\n"
      "move 0 0\n"
      "press 639 479   # bottom right\n"
      "release 1 2\r\n"
      "key escape\n"
      "key 65\n"
      "activate\n"
      "\tdeactivate \n"
      "close\n"
      "lose surfaces now\n");
  ASSERT_EQ(steps.size(), 9u);
  for (const ScriptStep& step : steps) EXPECT_EQ(step.size(), 1u);
  EXPECT_EQ(steps[0][0].input.kind, InputEvent::MouseMove);
  EXPECT_EQ(steps[1][0].input.kind, InputEvent::LeftDown);
  EXPECT_EQ(steps[1][0].input.x, 639);
  EXPECT_EQ(steps[1][0].input.y, 479);
  EXPECT_EQ(steps[2][0].input.kind, InputEvent::LeftUp);
  EXPECT_EQ(steps[2][0].input.y, 2);
  EXPECT_EQ(steps[3][0].input.key, 27u);
  EXPECT_EQ(steps[4][0].input.key, 65u);
  EXPECT_EQ(steps[5][0].input.kind, InputEvent::Activate);
  EXPECT_EQ(steps[6][0].input.kind, InputEvent::Deactivate);
  EXPECT_EQ(steps[7][0].input.kind, InputEvent::Close);
  EXPECT_EQ(steps[8][0].kind, ScriptEvent::LoseSurfaces);
}

TEST(InputScript, SemicolonsGroupEventsIntoOneStep) {
  auto steps = parsed("press 1 1; move 2 2 ;move 3 3;\nkey up;;key down # ; key left\n");
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[0].size(), 3u);
  EXPECT_EQ(steps[0][2].input.x, 3);
  ASSERT_EQ(steps[1].size(), 2u);
  EXPECT_EQ(steps[1][1].input.key, static_cast<unsigned>(VK_DOWN));
  EXPECT_TRUE(parsed("").empty());
  EXPECT_TRUE(parsed("# nothing\n\n   \n").empty());
}

TEST(InputScript, ErrorsSayWhereAndWhat) {
  struct Case {
    const char* text;
    const char* where;
    const char* says;
  };
  const Case cases[] = {
      {"jump 1 2", "1:1", "unknown event 'jump'"},
      {"move 1 2\nmove 640 0", "2:6", "'640' is out of range 0..639"},
      {"move 0 480", "1:8", "out of range 0..479"},
      {"move 1", "1:7", "'move' needs an x and a y"},
      {"press 1 2; release 3", "1:21", "'release' needs an x and a y"},
      {"move 1 2 3", "1:10", "unexpected '3'"},
      {"move -1 2", "1:6", "'-1' is not a number"},
      {"move 1x 2", "1:6", "'1x' is not a number"},
      {"move 99999999999999999999 1", "1:6", "out of range"},
      {"key", "1:4", "'key' needs a key"},
      {"key 0", "1:5", "out of range 1..254"},
      {"key 255", "1:5", "out of range 1..254"},
      {"key Escape", "1:5", "'Escape' is not a number"},
      {"close now", "1:7", "unexpected 'now'"},
      {"lose surfaces", "1:14", "expected 'lose surfaces now'"},
      {"lose surface now", "1:6", "expected 'lose surfaces now'"},
      {"lose surfaces now please", "1:19", "unexpected 'please'"},
      {"Move 1 2", "1:1", "unknown event 'Move'"},
      {"key \x01\xff", "1:5", "'\\x01\\xff' is not a number"},
  };
  for (const Case& c : cases) {
    ScriptError error = errorOf(c.text);
    EXPECT_EQ(where(error), c.where) << c.text;
    EXPECT_NE(error.message.find(c.says), std::string::npos) << c.text << " -> " << error.message;
  }
  EXPECT_EQ(errorOf("move 1 2\n\nbad").text(), "line 3, column 1: unknown event 'bad'");
}

TEST(InputScript, LongWordsAreCutShortInMessages) {
  ScriptError error = errorOf(std::string(1000, 'x'));
  EXPECT_LT(error.message.size(), 80u);
}

// Arbitrary bytes, the later fuzz target's diet: always an answer, never a
// crash; the sanitizer build checks the memory side.
TEST(InputScript, SurvivesArbitraryBytes) {
  std::mt19937 random(12345);
  const std::string alphabet = "move pressrlakycu0123456789;#\n\t\r -\x00\xff";
  for (int round = 0; round < 2000; ++round) {
    std::string text(random() % 64, '\0');
    for (char& c : text) {
      c = round % 2 ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];
    }
    std::vector<ScriptStep> steps;
    ScriptError error;
    if (!platform::parseInputScript(text, steps, error)) {
      EXPECT_GE(error.line, 1);
      EXPECT_GE(error.column, 1);
      EXPECT_FALSE(error.message.empty());
    }
  }
}

}  // namespace
