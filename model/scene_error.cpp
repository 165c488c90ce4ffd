#include "model/scene_error.h"

SceneError::SceneError(const std::string& file, TextPlace where, const std::string& message)
    : std::runtime_error(file + ":" + std::to_string(where.line) + ":" + std::to_string(where.column) +
                         ": error: " + message),
      place(where) {}

SceneError::SceneError(const std::string& file, const std::string& message)
    : std::runtime_error(file + ": error: " + message), place{0, 0} {}

SceneError SceneError::atByte(const std::string& file, std::size_t offset, const std::string& message) {
  return SceneError(file, "byte " + std::to_string(offset) + ": " + message);
}
