#include "bench/csg/memory_peak.h"

#include <fstream>
#include <string>

namespace {

// A field of /proc/self/status such as "VmHWM:     1234 kB", in bytes.
std::size_t statusField(const std::string& name) {
  std::ifstream status("/proc/self/status");
  std::string key;
  std::size_t kib = 0;
  while (status >> key) {
    if (key == name + ":" && status >> kib) return kib * 1024;
    status.ignore(1 << 10, '\n');
  }
  return 0;
}

}  // namespace

std::size_t restartResidentPeak() {
  // Writing 5 to clear_refs resets the high-water mark to the present size.
  std::ofstream("/proc/self/clear_refs") << "5";
  return statusField("VmRSS");
}

std::size_t residentPeak() { return statusField("VmHWM"); }
