// A small strict JSON reader for the workload files that reads as it goes:
// the caller walks the document value by value, asking what comes next and
// taking it in the form it needs, so that nothing but the caller's own
// result is built. A document of millions of coordinates thus costs the
// floats it holds, not a tree of values around each of them. Every value's
// place (line and column) is known when it is read, so that a check of the
// document's shape can name the place of a fault. Numbers are handed over as
// their literal text; the caller converts them at the precision it needs
// (the workloads' coordinates are floats, and reading the text straight as a
// float avoids rounding twice).
#ifndef KELVANE_HARNESS_JSON_READER_H
#define KELVANE_HARNESS_JSON_READER_H

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

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

enum class JsonKind { Null, Boolean, Number, String, Array, Object };

const char* kindName(JsonKind kind);

// Nesting beyond this is refused rather than risking the reader's own stack.
constexpr int kMaxJsonDepth = 64;

class JsonReader {
 public:
  explicit JsonReader(std::string_view text) : text_(text) {}

  // The kind of the value that starts next, without reading it; a fault when
  // no value can start there.
  JsonKind peek();
  // Where the next value starts.
  TextPosition where();

  // Reads an object, calling member(name) for each member in file order;
  // member must read (or skip) the member's value.
  template <class Member>
  void readObject(Member member) {
    sequence('{', '}', "or ',' in an object", [&] {
      std::string name = memberName();
      member(name);
    });
  }
  // Reads an array, calling item() for each element, which must read it.
  template <class Item>
  void readArray(Item item) {
    sequence('[', ']', "or ',' in an array", item);
  }
  std::string readString();
  // The literal text of a number.
  std::string_view readNumber();
  bool readBoolean();
  void readNull();
  void skipValue();
  // Anything but white space after the document is a fault.
  void end();

  [[noreturn]] void fail(TextPosition where, const std::string& message) const;

 private:
  // The bracketed run shared by objects and arrays: elements separated by
  // commas up to `close`.
  template <class Element>
  void sequence(char open, char close, const char* what, Element element) {
    enter(open);
    if (closesAtOnce(close)) return;
    for (;;) {
      element();
      if (!nextElement(close, what)) return;
    }
  }

  bool atEnd() const { return at_ >= text_.size(); }
  char current() const { return text_[at_]; }
  [[noreturn]] void fail(const std::string& message) const { fail(where_, message); }
  char next();
  void skipSpace();
  void expect(char c, const char* context);
  void enter(char open);
  bool closesAtOnce(char close);
  bool nextElement(char close, const char* what);
  std::string memberName();
  void literal(const char* word);
  void digits();
  std::uint32_t hex4();
  std::uint32_t codePoint();

  std::string_view text_;
  std::size_t at_ = 0;
  TextPosition where_;
  int depth_ = 0;
};

#endif
