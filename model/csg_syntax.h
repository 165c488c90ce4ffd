// The syntax tree of a flattened CSG file: calls with arguments and
// children, arguments whose values are literals. Nothing here knows what a
// call means; model/csg_scene.h gives the meaning.
#ifndef KELVANE_MODEL_CSG_SYNTAX_H
#define KELVANE_MODEL_CSG_SYNTAX_H

#include <string>
#include <vector>

#include "model/scene_error.h"

struct CsgValue {
  enum class Kind { Undef, Boolean, Number, String, Vector };
  Kind kind = Kind::Undef;
  bool boolean = false;
  double number = 0.0;
  std::string text;
  std::vector<CsgValue> items;
  TextPlace place;
};

struct CsgArgument {
  std::string name;  // empty for a positional argument
  CsgValue value;
  TextPlace place;
};

struct CsgCall {
  std::string name;
  // '#' (highlight: still drawn), '%' or '*' (background, disabled: left
  // out), or 0.
  char modifier = 0;
  std::vector<CsgArgument> arguments;
  std::vector<CsgCall> children;
  TextPlace place;
};

// The statements of a whole file, read by parseCsg (model/csg_parser.h).
struct CsgFile {
  std::string name;
  std::vector<CsgCall> statements;
};

#endif
