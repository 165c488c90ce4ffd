// The tokens of the flattened CSG format: names (with a leading '$' for the
// special variables), numbers, strings and single punctuation characters.
// The lexer keeps the line and column of every token, skips white space and
// both kinds of comment, and refuses what no token can start with.
#ifndef KELVANE_MODEL_CSG_LEXER_H
#define KELVANE_MODEL_CSG_LEXER_H

#include <string>
#include <string_view>

#include "model/scene_error.h"

struct CsgToken {
  enum class Kind { Name, Number, String, Punctuation, End };
  Kind kind = Kind::End;
  std::string text;     // a name, a string's contents, or the literal of a number or punctuation
  double number = 0.0;  // a number's value
  TextPlace place;
};

class CsgLexer {
 public:
  // file names the source in messages; text must outlive the lexer.
  CsgLexer(std::string file, std::string_view text);

  // The next token; End at the end of the text, and for ever after. Throws
  // SceneError at a character no token starts with, an unterminated string
  // or comment, or a number out of range.
  CsgToken next();

  const std::string& file() const { return file_; }

 private:
  void skipSpaceAndComments();
  CsgToken number(TextPlace start);
  CsgToken string(TextPlace start);
  char peek(std::size_t ahead = 0) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0'; }
  void advance();
  [[noreturn]] void fail(TextPlace place, const std::string& message) const;

  std::string file_;
  std::string_view text_;
  std::size_t pos_ = 0;
  TextPlace place_;
};

#endif
