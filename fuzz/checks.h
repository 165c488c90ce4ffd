// The fuzz checks: each takes arbitrary bytes, drives one part of the system
// with them and verifies its invariants, throwing InvariantBroken
// (invariant.h) when one does not hold. The same functions run under
// libFuzzer (fuzz_main.cpp) and replay the kept failures as tests.
#ifndef KELVANE_FUZZ_CHECKS_H
#define KELVANE_FUZZ_CHECKS_H

#include <cstddef>
#include <cstdint>
#include <vector>

using FuzzCheck = void (*)(const std::uint8_t* data, std::size_t size);

struct FuzzTarget {
  const char* name;  // the fuzzer's name and its folder in fuzz/regressions
  FuzzCheck check;
};

void checkSplitPoly(const std::uint8_t* data, std::size_t size);
void checkTreeInsert(const std::uint8_t* data, std::size_t size);
void checkTreeFilter(const std::uint8_t* data, std::size_t size);
void checkGdi(const std::uint8_t* data, std::size_t size);
void checkInputScript(const std::uint8_t* data, std::size_t size);
void checkWorkloadReader(const std::uint8_t* data, std::size_t size);

const std::vector<FuzzTarget>& fuzzTargets();

#endif
