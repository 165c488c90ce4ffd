// A small strict JSON reader for the workload files: a whole document into a
// tree of values, each value remembering the line and column where it began,
// so that a later check of the document's shape can still name the place of
// a fault. Numbers keep their literal text; the caller converts them at the
// precision it needs (the workloads' coordinates are floats, and reading the
// text straight as a float avoids rounding twice).
#ifndef KELVANE_HARNESS_JSON_READER_H
#define KELVANE_HARNESS_JSON_READER_H

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct TextPosition {
  int line = 1;
  int column = 1;
};

// A fault in a document: what is wrong and where, as "line:column: message".
class InputError : public std::runtime_error {
 public:
  InputError(TextPosition where, const std::string& message);
  TextPosition where;
};

struct JsonValue {
  enum class Kind { Null, Boolean, Number, String, Array, Object };

  Kind kind = Kind::Null;
  TextPosition where;
  bool boolean = false;
  std::string text;  // a string's contents, or a number's literal
  std::vector<JsonValue> items;
  std::vector<std::pair<std::string, JsonValue>> members;  // in file order
};

const char* kindName(JsonValue::Kind kind);

// Nesting beyond this is refused rather than risking the reader's own stack.
constexpr int kMaxJsonDepth = 64;

// Reads one complete document; anything but white space after it is a fault.
// Throws InputError naming the first fault.
JsonValue readJson(std::string_view text);

#endif
