// Turns a fuzzer's bytes into the values a check needs. Reading past the end
// yields zeros, so every byte string is a complete input and a short one a
// small case. Coordinates come mostly from a coarse grid, where exact
// coincidences (shared planes, vertices on planes) are common, and now and
// then from raw float bits, where the extremes are.
#ifndef KELVANE_FUZZ_FUZZ_INPUT_H
#define KELVANE_FUZZ_FUZZ_INPUT_H

#include <cstddef>
#include <cstdint>
#include <cstring>

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool empty() const { return at_ >= size_; }
  std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::uint32_t word() {
    std::uint32_t w = 0;
    for (int i = 0; i < 4; ++i) w = (w << 8) | byte();
    return w;
  }
  // An integer in [low, high].
  int range(int low, int high) {
    const auto span = static_cast<std::uint32_t>(high - low) + 1;
    return low + static_cast<int>((span <= 256 ? byte() : word()) % span);
  }
  // A multiple of 1/8 in [-8, 8]; when wild, now and then any float at all.
  float coordinate(bool wild) {
    if (!wild || (byte() & 7) != 0) return static_cast<float>(range(-64, 64)) / 8.0f;
    const std::uint32_t bits = word();
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

#endif
