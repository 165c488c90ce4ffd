// Turns a fuzzer's bytes into the values a check needs. Reading past the end
// yields zeros, so every byte string is a complete input and a short one a
// small case. Coordinates come mostly from a coarse grid, where exact
// coincidences (shared planes, vertices on planes) are common, and now and
// then from raw float bits, where the extremes are.
#ifndef KELVANE_FUZZ_FUZZ_INPUT_H
#define KELVANE_FUZZ_FUZZ_INPUT_H

#include <cstddef>
#include <cstdint>

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool empty() const { return at_ >= size_; }
  std::uint8_t byte();
  std::uint32_t word();
  // An integer in [low, high].
  int range(int low, int high);
  // A multiple of 1/8 in [-8, 8], or with raw bits any float when wild.
  float coordinate(bool wild);
  // A float from its raw bits: any value, NaN and infinities included.
  float rawFloat();

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

#endif
