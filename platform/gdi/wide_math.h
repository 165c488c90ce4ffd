// Exact integer helpers for the rasterisers. Coordinates are 32-bit, so
// their products need 64 bits and products of those need 128; GCC's
// __int128 carries them without overflow.
#ifndef KELVANE_PLATFORM_WIDE_MATH_H
#define KELVANE_PLATFORM_WIDE_MATH_H

#include <cstdint>

namespace platform {

__extension__ typedef __int128 Wide;

// Values this small multiply and add in pairs within 64 bits, so the
// rasterisers can leave Wide to the coordinates that need it.
constexpr std::int64_t kNarrowLimit = std::int64_t(1) << 30;
constexpr bool isNarrow(std::int64_t v) { return v > -kNarrowLimit && v < kNarrowLimit; }

// Division rounded towards minus and plus infinity; `d` must be positive.
template <class T>
T floorDiv(T n, T d) {
  T q = n / d;
  return (n % d != 0 && n < 0) ? q - 1 : q;
}

template <class T>
T ceilDiv(T n, T d) {
  T q = n / d;
  return (n % d != 0 && n > 0) ? q + 1 : q;
}

// The smallest t in [lo, hi] for which `holds(t)`, or hi + 1 when there is
// none; `holds` must be false up to some point and true from there on.
template <class Predicate>
std::int64_t firstTrue(std::int64_t lo, std::int64_t hi, Predicate holds) {
  std::int64_t end = hi + 1;
  while (lo < end) {
    std::int64_t mid = lo + (end - lo) / 2;
    if (holds(mid)) {
      end = mid;
    } else {
      lo = mid + 1;
    }
  }
  return end;
}

// The same, for a crossing expected just after lo: probes lo, lo + 1,
// lo + 3, lo + 7, ... and searches only the last gap, so that a crossing k
// places on costs about 2 log2 k tests instead of log2 (hi - lo).
template <class Predicate>
std::int64_t firstTrueNear(std::int64_t lo, std::int64_t hi, Predicate holds) {
  std::int64_t step = 1;
  for (std::int64_t probe = lo; probe <= hi; probe += step, step *= 2) {
    if (holds(probe)) return firstTrue(lo, probe - 1, holds);
    lo = probe + 1;
  }
  return firstTrue(lo, hi, holds);
}

}  // namespace platform

#endif
