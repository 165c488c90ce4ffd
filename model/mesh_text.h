// What the text mesh formats share: words with their places, numbers read
// strictly, and points welded by equal coordinates.
#ifndef KELVANE_MODEL_MESH_TEXT_H
#define KELVANE_MODEL_MESH_TEXT_H

#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "model/mesh.h"
#include "model/scene_error.h"

struct Word {
  std::string_view text;
  TextPlace place;
};

// The words of a text one by one, separated by blanks and line ends; with a
// comment character, the rest of a line after it is skipped. Reads as it
// goes, so that a large file costs no more than its text.
class WordScanner {
 public:
  WordScanner(std::string_view text, char comment) : text_(text), comment_(comment) { advance(); }

  bool atEnd() const { return !hasNext_; }
  // The next word without taking it; atEnd() must be false.
  const Word& peek() const { return next_; }
  Word take() {
    const Word w = next_;
    advance();
    return w;
  }
  // The words left on the line of w.
  std::vector<Word> restOfLine(const Word& w);
  // Where the text ends.
  TextPlace end() const { return place_; }

 private:
  void advance();

  std::string_view text_;
  char comment_;
  std::size_t pos_ = 0;
  TextPlace place_;
  Word next_;
  bool hasNext_ = false;
};

// The word as a coordinate: a whole decimal number, finite and within
// kMaxMagnitude. Throws SceneError naming the word.
double coordinate(const std::string& file, const Word& word);

// Points with equal coordinates, once each rounded to float as the model
// keeps them, become one point.
class PointWelder {
 public:
  explicit PointWelder(std::vector<Vec3>& points) : points_(points) {}
  int add(const Vec3& p);

 private:
  std::vector<Vec3>& points_;
  std::map<std::tuple<float, float, float>, int> index_;
};

#endif
