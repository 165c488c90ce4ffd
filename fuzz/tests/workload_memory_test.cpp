// What reading a workload file costs: this suite's operator new keeps
// account of the bytes in use and their peak, and can be held to a budget,
// so that the reader's memory and its answer to exhausted memory can be seen.
#include <gtest/gtest.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include "harness/workload.h"

namespace {

std::atomic<std::size_t> inUse{0}, peak{0}, budget{SIZE_MAX};

}  // namespace

void* operator new(std::size_t size) {
  if (size > budget.load() - std::min(budget.load(), inUse.load())) throw std::bad_alloc();
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  const std::size_t now = inUse += malloc_usable_size(p);
  for (std::size_t seen = peak.load(); now > seen && !peak.compare_exchange_weak(seen, now);) continue;
  return p;
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept {
  if (p != nullptr) inUse -= malloc_usable_size(p);
  std::free(p);
}
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { operator delete(p); }

namespace {

namespace fs = std::filesystem;

// A solid of `quads` four-sided polygons with coordinates written at full
// float precision, as the generated workloads are.
std::string workloadText(int quads) {
  std::string text = "{\"name\": \"big\", \"solids\": {\"A\": [\n";
  char vertex[96];
  for (int q = 0; q < quads; ++q) {
    text += q == 0 ? "  [" : ",\n  [";
    for (int v = 0; v < 4; ++v) {
      std::snprintf(vertex, sizeof vertex, "%s[%.9g, %.9g, %.9g]", v == 0 ? "" : ", ", q * 0.001234567 + v,
                    -q * 0.007654321, 0.333333343 * v);
      text += vertex;
    }
    text += "]";
  }
  return text + "]},\n \"ops\": [[\"union\", \"A\", \"A\"]]}\n";
}

class WorkloadMemory : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(file) << workloadText(20000);
    size = fs::file_size(file);
  }
  void TearDown() override {
    budget = SIZE_MAX;
    fs::remove(file);
  }

  const std::string file = (fs::temp_directory_path() / ("kelvane-workload-" + std::to_string(getpid()))).string();
  std::size_t size = 0;
};

TEST_F(WorkloadMemory, ReadingTakesAFewTimesTheFilesSize) {
  const std::size_t before = inUse;
  peak = before;
  const Workload workload = loadWorkload(file);
  ASSERT_EQ(workload.solids.at(0).polygons.size(), 20000u);
  EXPECT_LT(peak - before, 3 * size) << "peak " << (peak - before) << " bytes for a file of " << size;
}

// A limit named with the file; memory running out named with the file.
TEST_F(WorkloadMemory, StopsAtItsLimitAndNamesTheFileWhenMemoryRunsOut) {
  struct Case {
    std::string path;
    std::size_t limit;
    std::size_t budget;  // beyond what is in use
    const char* says;
  };
  const Case cases[] = {
      {"/dev/zero", std::size_t{1} << 20, SIZE_MAX, "/dev/zero is larger than 1 MiB"},
      {file, kMaxWorkloadBytes, size / 2, "out of memory reading "},
      {file, kMaxWorkloadBytes, size + size / 4, "out of memory reading the workload in "},
  };
  for (const Case& c : cases) {
    budget = c.budget == SIZE_MAX ? SIZE_MAX : inUse + c.budget;
    try {
      loadWorkload(c.path, c.limit);
      ADD_FAILURE() << c.path << " was read";
    } catch (const std::runtime_error& e) {
      const std::string said = e.what();
      EXPECT_NE(said.find(c.says), std::string::npos) << said;
      EXPECT_NE(said.find(c.path), std::string::npos) << said;
    }
    budget = SIZE_MAX;
  }
}

}  // namespace
