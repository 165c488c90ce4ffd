#include "model/csg_lexer.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/limits.h"

namespace {

bool isNameStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isNameChar(char c) { return isNameStart(c) || isDigit(c); }

std::string shown(char c) {
  if (c >= 0x21 && c <= 0x7e) return std::string("'") + c + "'";
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%02x", static_cast<unsigned char>(c));
  return std::string("byte ") + hex;
}

}  // namespace

CsgLexer::CsgLexer(std::string file, std::string_view text) : file_(std::move(file)), text_(text) {}

void CsgLexer::advance() {
  if (text_[pos_] == '\n') {
    ++place_.line;
    place_.column = 1;
  } else {
    ++place_.column;
  }
  ++pos_;
}

void CsgLexer::fail(TextPlace place, const std::string& message) const { throw SceneError(file_, place, message); }

void CsgLexer::skipSpaceAndComments() {
  for (;;) {
    const char c = peek();
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      advance();
    } else if (c == '/' && peek(1) == '/') {
      while (pos_ < text_.size() && peek() != '\n') advance();
    } else if (c == '/' && peek(1) == '*') {
      const TextPlace start = place_;
      advance();
      advance();
      while (!(peek() == '*' && peek(1) == '/')) {
        if (pos_ >= text_.size()) fail(start, "comment is not closed");
        advance();
      }
      advance();
      advance();
    } else {
      return;
    }
  }
}

CsgToken CsgLexer::next() {
  skipSpaceAndComments();
  CsgToken token;
  token.place = place_;
  if (pos_ >= text_.size()) return token;
  const char c = peek();
  if (isDigit(c) || (c == '.' && isDigit(peek(1)))) return number(token.place);
  if (c == '"') return string(token.place);
  if (isNameStart(c)) {
    token.kind = CsgToken::Kind::Name;
    const std::size_t from = pos_;
    while (isNameChar(peek())) advance();
    token.text = std::string(text_.substr(from, pos_ - from));
    return token;
  }
  if (c < 0x21 || c > 0x7e) fail(place_, "unexpected " + shown(c));
  token.kind = CsgToken::Kind::Punctuation;
  token.text = std::string(1, c);
  advance();
  return token;
}

CsgToken CsgLexer::number(TextPlace start) {
  const std::size_t from = pos_;
  while (isDigit(peek())) advance();
  if (peek() == '.') {
    advance();
    while (isDigit(peek())) advance();
  }
  if ((peek() == 'e' || peek() == 'E') &&
      (isDigit(peek(1)) || ((peek(1) == '+' || peek(1) == '-') && isDigit(peek(2))))) {
    advance();
    if (peek() == '+' || peek() == '-') advance();
    while (isDigit(peek())) advance();
  }
  if (isNameChar(peek())) fail(place_, "unexpected " + shown(peek()) + " after the number");
  CsgToken token;
  token.kind = CsgToken::Kind::Number;
  token.place = start;
  token.text = std::string(text_.substr(from, pos_ - from));
  token.number = std::strtod(token.text.c_str(), nullptr);
  if (!(std::fabs(token.number) <= kMaxMagnitude)) {
    fail(start, "number " + token.text + " is out of range (numbers are limited to 1e15 in magnitude)");
  }
  return token;
}

CsgToken CsgLexer::string(TextPlace start) {
  CsgToken token;
  token.kind = CsgToken::Kind::String;
  token.place = start;
  advance();
  for (;;) {
    if (pos_ >= text_.size() || peek() == '\n') fail(start, "string is not closed");
    const char c = peek();
    advance();
    if (c == '"') return token;
    if (c == '\\' && pos_ < text_.size()) {
      const char e = peek();
      advance();
      token.text += e == 'n' ? '\n' : e == 't' ? '\t' : e;
    } else {
      token.text += c;
    }
  }
}
