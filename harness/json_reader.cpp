// Recursive descent over RFC 8259, with the nesting bounded so that hostile
// input cannot exhaust the stack. Columns count bytes, from 1.
#include "harness/json_reader.h"

InputError::InputError(TextPosition where_, const std::string& message)
    : std::runtime_error(std::to_string(where_.line) + ":" + std::to_string(where_.column) + ": " +
                         message),
      where(where_) {}

const char* kindName(JsonKind kind) {
  switch (kind) {
    case JsonKind::Null: return "null";
    case JsonKind::Boolean: return "a boolean";
    case JsonKind::Number: return "a number";
    case JsonKind::String: return "a string";
    case JsonKind::Array: return "an array";
    case JsonKind::Object: return "an object";
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

void appendUtf8(std::string& out, std::uint32_t cp) {
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

}  // namespace

void JsonReader::fail(TextPosition where, const std::string& message) const { throw InputError(where, message); }

char JsonReader::next() {
  const char c = text_[at_++];
  if (c == '\n') {
    ++where_.line;
    where_.column = 1;
  } else {
    ++where_.column;
  }
  return c;
}

void JsonReader::skipSpace() {
  while (!atEnd() && (current() == ' ' || current() == '\t' || current() == '\n' || current() == '\r')) next();
}

void JsonReader::expect(char c, const char* context) {
  if (atEnd()) fail(std::string("unexpected end of file, expected '") + c + "' " + context);
  if (current() != c) fail("expected '" + std::string(1, c) + "' " + context + ", found " + describe(current()));
  next();
}

JsonKind JsonReader::peek() {
  skipSpace();
  if (atEnd()) fail("unexpected end of file, expected a value");
  const char c = current();
  if (c == '{') return JsonKind::Object;
  if (c == '[') return JsonKind::Array;
  if (c == '"') return JsonKind::String;
  if (c == '-' || isDigit(c)) return JsonKind::Number;
  if (c == 't' || c == 'f') return JsonKind::Boolean;
  if (c == 'n') return JsonKind::Null;
  fail("unexpected " + describe(c) + ", expected a value");
}

TextPosition JsonReader::where() {
  skipSpace();
  return where_;
}

void JsonReader::enter(char open) {
  skipSpace();
  expect(open, "to open a value");
  if (depth_ >= kMaxJsonDepth) {
    fail(TextPosition{where_.line, where_.column - 1}, "nesting deeper than " + std::to_string(kMaxJsonDepth) + " levels");
  }
  ++depth_;
}

bool JsonReader::closesAtOnce(char close) {
  skipSpace();
  if (atEnd() || current() != close) return false;
  next();
  --depth_;
  return true;
}

bool JsonReader::nextElement(char close, const char* what) {
  skipSpace();
  if (!atEnd() && current() == ',') {
    next();
    return true;
  }
  expect(close, what);
  --depth_;
  return false;
}

std::string JsonReader::memberName() {
  skipSpace();
  if (atEnd() || current() != '"') {
    fail(atEnd() ? "unexpected end of file, expected a member name"
                 : "expected a member name in double quotes, found " + describe(current()));
  }
  std::string name = readString();
  skipSpace();
  expect(':', "after a member name");
  return name;
}

void JsonReader::literal(const char* word) {
  const std::string_view expected(word);
  if (text_.substr(at_, expected.size()) != expected) fail("unknown word, expected a value");
  for (std::size_t i = 0; i < expected.size(); ++i) next();
}

bool JsonReader::readBoolean() {
  const bool value = peek() == JsonKind::Boolean && current() == 't';
  literal(value ? "true" : "false");
  return value;
}

void JsonReader::readNull() {
  skipSpace();
  literal("null");
}

void JsonReader::skipValue() {
  switch (peek()) {
    case JsonKind::Object: readObject([this](const std::string&) { skipValue(); }); break;
    case JsonKind::Array: readArray([this] { skipValue(); }); break;
    case JsonKind::String: readString(); break;
    case JsonKind::Number: readNumber(); break;
    case JsonKind::Boolean: readBoolean(); break;
    case JsonKind::Null: readNull(); break;
  }
}

void JsonReader::end() {
  skipSpace();
  if (!atEnd()) fail("unexpected " + describe(current()) + " after the document");
}

// -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
std::string_view JsonReader::readNumber() {
  skipSpace();
  const std::size_t start = at_;
  if (!atEnd() && current() == '-') next();
  if (atEnd() || !isDigit(current())) fail("expected a digit in a number");
  if (next() != '0') digits();
  if (!atEnd() && current() == '.') {
    next();
    if (atEnd() || !isDigit(current())) fail("expected a digit after the decimal point");
    digits();
  }
  if (!atEnd() && (current() == 'e' || current() == 'E')) {
    next();
    if (!atEnd() && (current() == '+' || current() == '-')) next();
    if (atEnd() || !isDigit(current())) fail("expected a digit in the exponent");
    digits();
  }
  return text_.substr(start, at_ - start);
}

void JsonReader::digits() {
  while (!atEnd() && isDigit(current())) next();
}

std::string JsonReader::readString() {
  skipSpace();
  expect('"', "to open a string");
  std::string out;
  for (;;) {
    if (atEnd()) fail("unexpected end of file inside a string");
    const char c = current();
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

std::uint32_t JsonReader::hex4() {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) {
    if (atEnd()) fail("unexpected end of file in a \\u escape");
    const char c = current();
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

std::uint32_t JsonReader::codePoint() {
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
