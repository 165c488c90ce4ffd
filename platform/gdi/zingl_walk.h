// The walk of Zingl's integer ellipse in the variant GDI draws, taken a row
// at a time and entered at any row without walking the rows before it.
#ifndef KELVANE_PLATFORM_ZINGL_WALK_H
#define KELVANE_PLATFORM_ZINGL_WALK_H

#include <cstdint>

#include "platform/gdi/wide_math.h"

namespace platform {

// A state (I, J) is the number of x steps and of y steps taken from the
// left tip; it plots (L + I, y0 + J), (R - I, y0 + J) and the same columns
// on row y1 - J.
class ZinglWalk {
 public:
  struct Row {
    std::int64_t first;  // the states (first..last, J) lie on row J
    std::int64_t last;
    std::int64_t next;  // the entry of row J + 1, or end()
  };

  // For the inclusive box of width a + 1 and height b + 1, a and b >= 2
  // and below 2^29.
  ZinglWalk(std::int64_t a, std::int64_t b);

  // The I that means the walk is over.
  std::int64_t end() const { return centre() + 1; }
  // Row j of the walk, which enters it at I = entry.
  Row row(std::int64_t entry, std::int64_t j) const;
  // The I at which the walk enters row j, or end() when it ends above it.
  std::int64_t entryOf(std::int64_t j) const;

 private:
  std::int64_t centre() const { return a_ / 2; }
  Wide dx(std::int64_t i) const;
  Wide dy(std::int64_t j) const;
  Wide err(std::int64_t i, std::int64_t j) const;
  bool xSteps(std::int64_t i, std::int64_t j) const;
  bool ySteps(std::int64_t i, std::int64_t j) const;
  std::int64_t rowExit(std::int64_t entry, std::int64_t j) const;
  std::int64_t columnExit(std::int64_t entry, std::int64_t i) const;
  std::int64_t nextColumnEntry(std::int64_t entry, std::int64_t i) const;
  std::int64_t columnEntry(std::int64_t i) const;

  std::int64_t a_;
  std::int64_t b_;
  std::int64_t b1_;
  Wide a2_;
  Wide b2_;
  Wide err0_;
};

}  // namespace platform

#endif
