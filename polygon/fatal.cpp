#include "polygon/fatal.h"

#include <cstdio>
#include <cstdlib>

void fatal(const char* message) {
  std::fprintf(stderr, "kelvane: %s\n", message);
  std::abort();
}
