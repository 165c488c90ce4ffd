#include "fuzz/fuzz_input.h"

#include <cstring>

std::uint8_t FuzzInput::byte() { return at_ < size_ ? data_[at_++] : 0; }

std::uint32_t FuzzInput::word() {
  std::uint32_t w = 0;
  for (int i = 0; i < 4; ++i) w = (w << 8) | byte();
  return w;
}

int FuzzInput::range(int low, int high) {
  const auto span = static_cast<std::uint32_t>(high - low) + 1;
  const std::uint32_t raw = span <= 256 ? byte() : word();
  return low + static_cast<int>(raw % span);
}

float FuzzInput::coordinate(bool wild) {
  if (wild && (byte() & 7) == 0) return rawFloat();
  return static_cast<float>(range(-64, 64)) / 8.0f;
}

float FuzzInput::rawFloat() {
  const std::uint32_t bits = word();
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}
