// The libFuzzer entry of one target, chosen when the fuzzer is built
// (KELVANE_FUZZ_TARGET, a name from kFuzzTargets).
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fuzz/checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (const FuzzTarget& target : kFuzzTargets) {
    if (std::strcmp(target.name, KELVANE_FUZZ_TARGET) != 0) continue;
    try {
      target.check(data, size);
      return 0;
    } catch (const InvariantBroken& broken) {
      std::fprintf(stderr, "invariant broken (%s): %s\n", KELVANE_FUZZ_TARGET, broken.what());
      std::abort();
    }
  }
  std::fprintf(stderr, "no fuzz target called %s\n", KELVANE_FUZZ_TARGET);
  std::abort();
}
