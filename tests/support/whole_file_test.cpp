// Files written whole or not at all: the path shows the old contents or the
// new, never a part, and no temporary file stays behind; what is no regular
// file is written in place, and every failure is reported.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/file_size_limit.h"
#include "support/scratch_folder.h"
#include "support/whole_file.h"

namespace {

namespace fs = std::filesystem;

class WholeFileTest : public ScratchFolderTest {
 protected:
  WholeFileTest() : ScratchFolderTest("whole-file") {}

  std::string contents(const fs::path& path) const {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
  }
  std::size_t entries() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {})); }

  const std::string path = (dir / "out.txt").string();
};

TEST_F(WholeFileTest, ThePathShowsTheOldContentsUntilTheNewAreComplete) {
  std::string error;
  ASSERT_TRUE(support::writeWholeFile(path, "old", error)) << error;
  {
    support::WholeFile file;
    ASSERT_TRUE(file.open(path, error)) << error;
    std::fputs("new", file.stream());
    std::fflush(file.stream());
    EXPECT_EQ(contents(path), "old");
    EXPECT_EQ(entries(), 2u);  // the old file and the temporary one
  }  // abandoned: discarded
  EXPECT_EQ(contents(path), "old");
  EXPECT_EQ(entries(), 1u);
  ASSERT_TRUE(support::writeWholeFile(path, "new", error)) << error;
  EXPECT_EQ(contents(path), "new");
  EXPECT_EQ(entries(), 1u);
}

TEST_F(WholeFileTest, AFailedWriteLeavesNothingAndSaysWhy) {
  std::string error;
  EXPECT_FALSE(support::writeWholeFile((dir / "missing" / "out.txt").string(), "x", error));
  EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
  {
    const FileSizeLimit diskFull(4096);
    EXPECT_FALSE(support::writeWholeFile(path, std::string(100000, 'x'), error));
  }
  EXPECT_NE(error.find("File too large"), std::string::npos) << error;
  EXPECT_EQ(entries(), 0u);
}

TEST_F(WholeFileTest, WhatIsNoRegularFileIsWrittenInPlaceAndItsFailuresReported) {
  const std::string fifo = (dir / "pipe").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  std::string error;
  EXPECT_TRUE(support::writeWholeFile(fifo, "through", error)) << error;
  char got[16] = {};
  EXPECT_EQ(::read(reader, got, sizeof got), 7);
  ::close(reader);
  EXPECT_EQ(std::string(got), "through");
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(entries(), 1u);

  const struct {
    std::string path;
    const char* message;
  } failures[] = {
      {"/dev/full", "cannot write '/dev/full': write: No space left on device"},
      {dir.string(), "it is a folder"},
  };
  for (const auto& f : failures) {
    EXPECT_FALSE(support::writeWholeFile(f.path, "x", error)) << f.path;
    EXPECT_NE(error.find(f.message), std::string::npos) << error;
  }
}

}  // namespace
