// The fuzz checks: each takes arbitrary bytes, drives one part of the system
// with them and verifies its invariants. A broken invariant throws
// InvariantBroken, which the libFuzzer entry (fuzz_main.cpp) turns into a
// crash that keeps the input, and the replay of fuzz/regressions/ into a
// test failure, so that one check serves both.
#ifndef KELVANE_FUZZ_CHECKS_H
#define KELVANE_FUZZ_CHECKS_H

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

struct InvariantBroken : std::runtime_error {
  using std::runtime_error::runtime_error;
};

inline void require(bool holds, const char* what) {
  if (!holds) throw InvariantBroken(what);
}

// True when line:column (both from 1, columns in bytes) is a place in text:
// a byte of an existing line, or just past its end.
inline bool placeExists(const std::string& text, int line, int column) {
  if (line < 1 || column < 1) return false;
  std::size_t start = 0;
  for (int l = 1; l < line; ++l) {
    if ((start = text.find('\n', start)) == std::string::npos) return false;
    ++start;
  }
  std::size_t end = text.find('\n', start);
  if (end == std::string::npos) end = text.size();
  return static_cast<std::size_t>(column) <= end - start + 1;
}

using FuzzCheck = void(const std::uint8_t* data, std::size_t size);

FuzzCheck checkSplitPoly, checkTreeInsert, checkTreeFilter, checkGdi, checkInputScript, checkWorkloadReader;
FuzzCheck checkCsgReader, checkObjReader, checkStlAsciiReader, checkStlBinaryReader;

struct FuzzTarget {
  const char* name;  // the fuzzer's name and its folder in fuzz/regressions
  FuzzCheck* check;
};

inline constexpr FuzzTarget kFuzzTargets[] = {
    {"split_poly", checkSplitPoly}, {"tree_insert", checkTreeInsert},   {"tree_filter", checkTreeFilter},
    {"gdi", checkGdi},              {"input_script", checkInputScript}, {"workload_reader", checkWorkloadReader},
    {"csg_reader", checkCsgReader}, {"obj_reader", checkObjReader},     {"stl_ascii_reader", checkStlAsciiReader},
    {"stl_binary_reader", checkStlBinaryReader},
};

#endif
