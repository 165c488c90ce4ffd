#include "polygon/limit_failure.h"

#include <cstdio>
#include <cstdlib>

void limitFailure(const char* message) {
  std::fprintf(stderr, "kelvane: %s\n", message);
  std::abort();
}
