// The CSG bench's reader: faults named by line and column, the workload
// format's rules, and the system's limits judged before anything is built.
#include <gtest/gtest.h>

#include <string>

#include "bench/csg/json_reader.h"
#include "bench/csg/workload.h"

namespace {

struct Fault {
  const char* text;
  int line;
  int column;
  const char* says;
};

std::string faultOf(const std::string& text, TextPosition& where) {
  try {
    parseWorkload(text);
  } catch (const InputError& e) {
    where = e.where;
    return e.what();
  }
  return "accepted";
}

template <std::size_t N>
void expectFaults(const Fault (&faults)[N]) {
  for (const Fault& f : faults) {
    TextPosition where;
    const std::string message = faultOf(f.text, where);
    EXPECT_EQ(where.line, f.line) << f.text << " -> " << message;
    EXPECT_EQ(where.column, f.column) << f.text << " -> " << message;
    EXPECT_NE(message.find(f.says), std::string::npos) << f.text << " -> " << message;
  }
}

TEST(WorkloadReader, NamesThePlaceOfEachFault) {
  const Fault faults[] = {
      {"", 1, 1, "unexpected end of file"},
      {"{\"name\": \"a\",\n  \"solids\": {,}}", 2, 14, "member name"},
      {"[1, 2", 1, 6, "expected ']'"},
      {"{\"a\" 1}", 1, 6, "expected ':'"},
      {"{\"a\": 01}", 1, 8, "found '1'"},
      {"{\"a\": -}", 1, 8, "digit"},
      {"{\"a\": 1.}", 1, 9, "decimal point"},
      {"{\"a\": \"x\ty\"}", 1, 9, "control character"},
      {"{\"a\": \"\\q\"}", 1, 10, "unknown escape"},
      {"{\"a\": \"\\ud800\"}", 1, 14, "surrogate"},
      {"{\"a\": tru}", 1, 7, "unknown word"},
      {"{} x", 1, 4, "after the document"},
      {"\n\n  [", 3, 4, "end of file"},
  };
  expectFaults(faults);
}

TEST(WorkloadReader, RefusesNestingBeyondItsBound) {
  TextPosition where;
  const std::string deep(kMaxJsonDepth + 1, '[');
  EXPECT_NE(faultOf(deep, where).find("nesting"), std::string::npos);
  EXPECT_EQ(where.column, kMaxJsonDepth + 1);
}

TEST(WorkloadReader, ChecksTheWorkloadShape) {
  const Fault faults[] = {
      {"[]", 1, 1, "a workload must be an object"},
      {"{\"solids\":{},\"ops\":[]}", 1, 1, "no \"name\""},
      {"{\"name\":1}", 1, 9, "\"name\" must be a string"},
      {"{\"name\":\"w\",\"solids\":{\"A\":[[[0,0,0],[1,0,0]]]},\"ops\":[]}", 1, 28,
       "at least 3 vertices"},
      {"{\"name\":\"w\",\"solids\":{\"A\":[[[0,0],[1,0,0],[0,1,0]]]},\"ops\":[]}", 1, 29, "[x, y, z]"},
      {"{\"name\":\"w\",\"solids\":{\"A\":[[[0,0,1e39],[1,0,0],[0,1,0]]]},\"ops\":[]}", 1, 34,
       "out of the float range"},
      {"{\"name\":\"w\",\"solids\":{\"A\":[],\"A\":[]},\"ops\":[[\"union\",\"A\",\"A\"]]}", 1, 34,
       "second solid"},
      {"{\"name\":\"w\",\"solids\":{\"A\":[]},\"ops\":[]}", 1, 37, "no operation"},
      {"{\"name\":\"w\",\"solids\":{\"A\":[]},\"ops\":[[\"xor\",\"A\",\"A\"]]}", 1, 39, "unknown operation"},
      {"{\"name\":\"w\",\"solids\":{\"A\":[]},\"ops\":[[\"union\",\"<result>\",\"A\"]]}", 1, 47,
       "no earlier result"},
      {"{\"name\":\"w\",\"solids\":{\"A\":[]},\"ops\":[[\"union\",\"A\",\"B\"]]}", 1, 51, "no solid called"},
  };
  expectFaults(faults);
}

TEST(WorkloadReader, ReadsSolidsInFileOrderAndCoordinatesAsFloats) {
  const Workload w = parseWorkload(
      "{\"name\":\"w\",\"extra\":true,\"solids\":{\"B\":[[[0.1,0,0],[1,0,0],[0,1,0]]],"
      "\"A\":[[[1e-50,-0,3.4028235e38],[1,0,0],[0,1,0],[0,2,0]]]},"
      "\"ops\":[[\"subtract\",\"A\",\"B\"],[\"union\",\"<result>\",\"A\"]]}");
  ASSERT_EQ(w.solids.size(), 2u);
  EXPECT_EQ(w.solids[0].name, "B");
  EXPECT_EQ(w.solids[0].polygons[0].vertices[0][0], 0.1f);
  EXPECT_EQ(w.solids[1].polygons[0].vertices.size(), 4u);
  EXPECT_EQ(w.solids[1].polygons[0].vertices[0][0], 0.0f);
  EXPECT_EQ(w.solids[1].polygons[0].vertices[0][2], 3.4028235e38f);
  ASSERT_EQ(w.ops.size(), 2u);
  EXPECT_EQ(w.ops[0].kind, OpKind::Subtract);
  EXPECT_EQ(w.ops[0].left.solid, 1);
  EXPECT_EQ(w.ops[0].right.solid, 0);
  EXPECT_TRUE(w.ops[1].left.isPreviousResult());
}

std::string ringOf(int n) {
  std::string ring = "[";
  for (int i = 0; i < n; ++i) ring += (i > 0 ? ",[" : "[") + std::to_string(i) + ",0,0]";
  return ring + "]";
}

Workload oneRing(int n, const char* kind = "union") {
  return parseWorkload("{\"name\":\"w\",\"solids\":{\"A\":[" + ringOf(n) + "]},\"ops\":[[\"" + kind +
                       "\",\"A\",\"A\"]]}");
}

TEST(WorkloadLimits, RefusesRingsWhosePiecesCannotBePolygonsAndTheReservedOperation) {
  EXPECT_EQ(checkLimits(oneRing(254)).refusal, "");
  EXPECT_NE(checkLimits(oneRing(255)).refusal.find("255 vertices; a piece cut from it may need 256"),
            std::string::npos);
  EXPECT_NE(checkLimits(oneRing(3, "intersect")).refusal.find("\"intersect\""), std::string::npos);
}

TEST(WorkloadLimits, NotesRingsBeyondTheSplitScratchArrays) {
  EXPECT_EQ(checkLimits(oneRing(63)).note, "");
  EXPECT_NE(checkLimits(oneRing(64)).note.find("up to 64 vertices"), std::string::npos);
}

TEST(WorkloadFile, UnreadableFilesSaySo) {
  EXPECT_THROW(loadWorkload(std::string(KELVANE_BINARY_DIR) + "/no-such-workload.json"), std::runtime_error);
  try {
    loadWorkload(KELVANE_BINARY_DIR);
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("is a directory"), std::string::npos);
  }
}

}  // namespace
