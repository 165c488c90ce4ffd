#ifndef KELVANE_FUZZ_TEXT_PLACE_H
#define KELVANE_FUZZ_TEXT_PLACE_H

#include <string>

// True when line:column (both from 1, columns in bytes) is a place in text:
// a byte of an existing line, or just past its end.
inline bool placeExists(const std::string& text, int line, int column) {
  if (line < 1 || column < 1) return false;
  std::size_t start = 0;
  for (int l = 1; l < line; ++l) {
    start = text.find('\n', start);
    if (start == std::string::npos) return false;
    ++start;
  }
  std::size_t end = text.find('\n', start);
  if (end == std::string::npos) end = text.size();
  return static_cast<std::size_t>(column) <= end - start + 1;
}

#endif
