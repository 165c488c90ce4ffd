// How a fuzz check reports a broken invariant: an exception that the
// libFuzzer entry turns into a crash with the message, and the regression
// tests into a failure, so that one check serves both.
#ifndef KELVANE_FUZZ_INVARIANT_H
#define KELVANE_FUZZ_INVARIANT_H

#include <stdexcept>
#include <string>

class InvariantBroken : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline void require(bool holds, const char* what) {
  if (!holds) throw InvariantBroken(what);
}

#endif
