// A fixture whose tests each get an empty folder of their own under the
// system's temporary one, named by the suite and the process so that suites
// run side by side never share one; it goes when the test ends.
#ifndef KELVANE_TESTS_SUPPORT_SCRATCH_FOLDER_H
#define KELVANE_TESTS_SUPPORT_SCRATCH_FOLDER_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

class ScratchFolderTest : public ::testing::Test {
 protected:
  explicit ScratchFolderTest(const std::string& name)
      : dir(std::filesystem::temp_directory_path() / ("kelvane-" + name + "-" + std::to_string(getpid()))) {}
  void SetUp() override { std::filesystem::create_directories(dir); }
  void TearDown() override { std::filesystem::remove_all(dir); }

  const std::filesystem::path dir;
};

#endif
