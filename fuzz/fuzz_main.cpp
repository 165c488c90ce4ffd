// The libFuzzer entry of one target, chosen when the fuzzer is built
// (KELVANE_FUZZ_TARGET, a name from fuzzTargets()). A broken invariant is
// reported with its message and ends the run as a crash, so that libFuzzer
// keeps the input.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fuzz/checks.h"
#include "fuzz/invariant.h"

namespace {

FuzzCheck chosenCheck() {
  for (const FuzzTarget& target : fuzzTargets()) {
    if (std::strcmp(target.name, KELVANE_FUZZ_TARGET) == 0) return target.check;
  }
  std::fprintf(stderr, "no fuzz target called %s\n", KELVANE_FUZZ_TARGET);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const FuzzCheck check = chosenCheck();
  try {
    check(data, size);
  } catch (const InvariantBroken& broken) {
    std::fprintf(stderr, "invariant broken (%s): %s\n", KELVANE_FUZZ_TARGET, broken.what());
    std::abort();
  }
  return 0;
}
