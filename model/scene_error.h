// The one way a scene reader fails: a message that names the file and the
// place in it the way compilers do ("file:line:col: error: ..."), so that an
// editor can jump there. Binary files have no lines; their faults name the
// byte offset instead.
#ifndef KELVANE_MODEL_SCENE_ERROR_H
#define KELVANE_MODEL_SCENE_ERROR_H

#include <cstddef>
#include <stdexcept>
#include <string>

struct TextPlace {
  int line = 1;
  int column = 1;  // in bytes, from 1
};

class SceneError : public std::runtime_error {
 public:
  // "file:line:col: error: message".
  SceneError(const std::string& file, TextPlace place, const std::string& message);
  // "file: error: message": a fault of the file as a whole.
  SceneError(const std::string& file, const std::string& message);
  // "file: error: byte N: message": a fault in a binary file.
  static SceneError atByte(const std::string& file, std::size_t offset, const std::string& message);

  // Zero line and column when the fault has no place in the text.
  TextPlace place;
};

#endif
