// Files written whole: the one way every program writes a file.
//
// A regular file, or a path where nothing is yet, is either whole or
// absent: the bytes go to a new file in the same folder (so that the final
// rename never crosses file systems), which takes the real name only once
// it is complete, synced and closed. A failed or abandoned write removes
// its temporary file and leaves whatever the path held before untouched.
// Anything else that exists at the path (a device such as /dev/stdout or
// /dev/full, a pipe) cannot be replaced and is written in place. Either
// way every failure, down to the last flush, is reported.
#ifndef KELVANE_SUPPORT_WHOLE_FILE_H
#define KELVANE_SUPPORT_WHOLE_FILE_H

#include <cstdio>
#include <string>
#include <string_view>

namespace support {

class WholeFile {
 public:
  WholeFile() = default;
  // Discards a file that was not committed.
  ~WholeFile();
  WholeFile(const WholeFile&) = delete;
  WholeFile& operator=(const WholeFile&) = delete;

  // Opens the file for `path`; false with `error` set ("cannot write
  // 'path': why") when it cannot be written.
  bool open(const std::string& path, std::string& error);
  // Where the bytes go until commit; null when not open.
  std::FILE* stream() const { return stream_; }
  // Flushes and closes the file and puts it at its path; false with `error`
  // set (and the temporary file gone) when any write, the flush, the close
  // or the rename failed.
  bool commit(std::string& error);
  // Removes the temporary file; the path keeps what it held.
  void discard();

  const std::string& path() const { return path_; }

 private:
  friend bool writeWholeFile(const std::string& path, std::string_view bytes, std::string& error);
  bool fail(const char* step, int code, std::string& error);

  std::string path_;
  std::string temporary_;  // empty when written in place
  std::FILE* stream_ = nullptr;
};

// Writes `bytes` to `path` through a WholeFile.
bool writeWholeFile(const std::string& path, std::string_view bytes, std::string& error);

}  // namespace support

#endif
