#include "model/mesh_text.h"

#include <cmath>
#include <cstdlib>

#include "model/limits.h"

void WordScanner::advance() {
  constexpr std::string_view kBlanks = " \t\r\f\v";
  bool skipping = false;
  while (pos_ < text_.size()) {
    const char c = text_[pos_];
    if (c == '\n') {
      ++place_.line;
      place_.column = 1;
      skipping = false;
    } else if (skipping || kBlanks.find(c) != std::string_view::npos || (comment_ && c == comment_)) {
      skipping = skipping || (comment_ && c == comment_);
      ++place_.column;
    } else {
      break;
    }
    ++pos_;
  }
  hasNext_ = pos_ < text_.size();
  if (!hasNext_) return;
  std::size_t end = pos_;
  while (end < text_.size() && text_[end] != '\n' && kBlanks.find(text_[end]) == std::string_view::npos &&
         !(comment_ && text_[end] == comment_)) {
    ++end;
  }
  next_ = Word{text_.substr(pos_, end - pos_), place_};
  place_.column += static_cast<int>(end - pos_);
  pos_ = end;
}

std::vector<Word> WordScanner::restOfLine(const Word& w) {
  std::vector<Word> words;
  while (!atEnd() && peek().place.line == w.place.line) words.push_back(take());
  return words;
}

double coordinate(const std::string& file, const Word& word) {
  const std::string text(word.text);
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  const bool decimal = text.find_first_not_of("0123456789+-.eE") == std::string::npos;
  if (text.empty() || end != text.c_str() + text.size() || !decimal) {
    throw SceneError(file, word.place, "'" + text + "' is not a number");
  }
  if (!(std::fabs(value) <= kMaxMagnitude)) {
    throw SceneError(file, word.place, "number " + text + " is out of range (coordinates are limited to 1e15)");
  }
  return value;
}

int PointWelder::add(const Vec3& p) {
  const float x = static_cast<float>(p.x), y = static_cast<float>(p.y), z = static_cast<float>(p.z);
  const auto [it, added] = index_.emplace(std::make_tuple(x, y, z), static_cast<int>(points_.size()));
  if (added) points_.push_back({x, y, z});
  return it->second;
}
