// Recursive descent over RFC 8259, with the nesting bounded so that hostile
// input cannot exhaust the stack. Columns count bytes, from 1.
#include "harness/json_reader.h"

#include <cstdint>

InputError::InputError(TextPosition where_, const std::string& message)
    : std::runtime_error(std::to_string(where_.line) + ":" + std::to_string(where_.column) + ": " +
                         message),
      where(where_) {}

const char* kindName(JsonValue::Kind kind) {
  switch (kind) {
    case JsonValue::Kind::Null: return "null";
    case JsonValue::Kind::Boolean: return "a boolean";
    case JsonValue::Kind::Number: return "a number";
    case JsonValue::Kind::String: return "a string";
    case JsonValue::Kind::Array: return "an array";
    case JsonValue::Kind::Object: return "an object";
  }
  return "a value";
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string describe(char c) {
  if (c >= 0x20 && c < 0x7f) return std::string("'") + c + "'";
  static const char* const kHex = "0123456789abcdef";
  const auto u = static_cast<unsigned char>(c);
  return std::string("byte 0x") + kHex[u >> 4] + kHex[u & 15];
}

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  JsonValue document() {
    skipSpace();
    JsonValue value = parseValue(0);
    skipSpace();
    if (!atEnd()) fail("unexpected " + describe(peek()) + " after the document");
    return value;
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
  TextPosition where_;

  bool atEnd() const { return at_ >= text_.size(); }
  char peek() const { return text_[at_]; }

  [[noreturn]] void fail(const std::string& message) const { throw InputError(where_, message); }

  char next() {
    const char c = text_[at_++];
    if (c == '\n') {
      ++where_.line;
      where_.column = 1;
    } else {
      ++where_.column;
    }
    return c;
  }

  void skipSpace() {
    while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r')) next();
  }

  void expect(char c, const char* context) {
    if (atEnd()) fail(std::string("unexpected end of file, expected '") + c + "' " + context);
    if (peek() != c) fail("expected '" + std::string(1, c) + "' " + context + ", found " + describe(peek()));
    next();
  }

  JsonValue parseValue(int depth) {
    if (atEnd()) fail("unexpected end of file, expected a value");
    JsonValue value;
    value.where = where_;
    const char c = peek();
    if (c == '{' || c == '[') {
      if (depth >= kMaxJsonDepth) fail("nesting deeper than " + std::to_string(kMaxJsonDepth) + " levels");
      if (c == '{') {
        parseObject(value, depth + 1);
      } else {
        parseArray(value, depth + 1);
      }
    } else if (c == '"') {
      value.kind = JsonValue::Kind::String;
      value.text = parseString();
    } else if (c == '-' || isDigit(c)) {
      value.kind = JsonValue::Kind::Number;
      value.text = parseNumber();
    } else if (c == 't' || c == 'f' || c == 'n') {
      parseLiteral(value);
    } else {
      fail("unexpected " + describe(c) + ", expected a value");
    }
    return value;
  }

  // The bracketed run shared by objects and arrays: an opening character
  // already seen, then elements separated by commas up to `close`.
  template <class Element>
  void parseSequence(char close, const char* what, Element element) {
    next();
    skipSpace();
    if (!atEnd() && peek() == close) {
      next();
      return;
    }
    for (;;) {
      skipSpace();
      element();
      skipSpace();
      if (!atEnd() && peek() == ',') {
        next();
        continue;
      }
      expect(close, what);
      return;
    }
  }

  void parseObject(JsonValue& value, int depth) {
    value.kind = JsonValue::Kind::Object;
    parseSequence('}', "or ',' in an object", [&] {
      if (atEnd() || peek() != '"') {
        fail(atEnd() ? "unexpected end of file, expected a member name"
                     : "expected a member name in double quotes, found " + describe(peek()));
      }
      std::string name = parseString();
      skipSpace();
      expect(':', "after a member name");
      skipSpace();
      value.members.emplace_back(std::move(name), parseValue(depth));
    });
  }

  void parseArray(JsonValue& value, int depth) {
    value.kind = JsonValue::Kind::Array;
    parseSequence(']', "or ',' in an array", [&] { value.items.push_back(parseValue(depth)); });
  }

  void parseLiteral(JsonValue& value) {
    static const struct {
      const char* word;
      JsonValue::Kind kind;
      bool boolean;
    } kLiterals[] = {{"true", JsonValue::Kind::Boolean, true},
                     {"false", JsonValue::Kind::Boolean, false},
                     {"null", JsonValue::Kind::Null, false}};
    for (const auto& literal : kLiterals) {
      const std::string_view word(literal.word);
      if (text_.substr(at_, word.size()) == word) {
        for (std::size_t i = 0; i < word.size(); ++i) next();
        value.kind = literal.kind;
        value.boolean = literal.boolean;
        return;
      }
    }
    fail("unknown word, expected a value");
  }

  // -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
  std::string parseNumber() {
    const std::size_t start = at_;
    if (peek() == '-') next();
    if (atEnd() || !isDigit(peek())) fail("expected a digit in a number");
    if (next() != '0') digits();
    if (!atEnd() && peek() == '.') {
      next();
      if (atEnd() || !isDigit(peek())) fail("expected a digit after the decimal point");
      digits();
    }
    if (!atEnd() && (peek() == 'e' || peek() == 'E')) {
      next();
      if (!atEnd() && (peek() == '+' || peek() == '-')) next();
      if (atEnd() || !isDigit(peek())) fail("expected a digit in the exponent");
      digits();
    }
    return std::string(text_.substr(start, at_ - start));
  }

  void digits() {
    while (!atEnd() && isDigit(peek())) next();
  }

  std::string parseString() {
    next();
    std::string out;
    for (;;) {
      if (atEnd()) fail("unexpected end of file inside a string");
      const char c = peek();
      if (c == '"') {
        next();
        return out;
      }
      if (static_cast<unsigned char>(c) < 0x20) fail("control character " + describe(c) + " inside a string");
      if (c != '\\') {
        out += next();
        continue;
      }
      next();
      if (atEnd()) fail("unexpected end of file inside a string");
      const char e = next();
      switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': appendUtf8(out, codePoint()); break;
        default: fail("unknown escape \\" + std::string(1, e) + " in a string");
      }
    }
  }

  std::uint32_t hex4() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      if (atEnd()) fail("unexpected end of file in a \\u escape");
      const char c = peek();
      int d = -1;
      if (isDigit(c)) d = c - '0';
      if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
      if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
      if (d < 0) fail("expected four hexadecimal digits after \\u");
      next();
      v = v * 16 + static_cast<std::uint32_t>(d);
    }
    return v;
  }

  std::uint32_t codePoint() {
    const std::uint32_t high = hex4();
    if (high < 0xD800 || high > 0xDFFF) return high;
    if (high > 0xDBFF) fail("unpaired low surrogate in a \\u escape");
    if (text_.substr(at_, 2) != "\\u") fail("unpaired high surrogate in a \\u escape");
    next();
    next();
    const std::uint32_t low = hex4();
    if (low < 0xDC00 || low > 0xDFFF) fail("unpaired high surrogate in a \\u escape");
    return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
  }

  static void appendUtf8(std::string& out, std::uint32_t cp) {
    auto byte = [&out](std::uint32_t b) { out += static_cast<char>(b); };
    if (cp < 0x80) {
      byte(cp);
    } else if (cp < 0x800) {
      byte(0xC0 | (cp >> 6));
      byte(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      byte(0xE0 | (cp >> 12));
      byte(0x80 | ((cp >> 6) & 0x3F));
      byte(0x80 | (cp & 0x3F));
    } else {
      byte(0xF0 | (cp >> 18));
      byte(0x80 | ((cp >> 12) & 0x3F));
      byte(0x80 | ((cp >> 6) & 0x3F));
      byte(0x80 | (cp & 0x3F));
    }
  }
};

}  // namespace

JsonValue readJson(std::string_view text) { return Reader(text).document(); }
