// Files that are either whole or absent: the bytes go to a new file in the
// same folder (so that the final rename never crosses file systems), which
// takes the real name only once it is complete and closed. A failed or
// abandoned write removes its temporary file and leaves whatever the path
// held before untouched.
#ifndef KELVANE_SUPPORT_ATOMIC_FILE_H
#define KELVANE_SUPPORT_ATOMIC_FILE_H

#include <cstdio>
#include <string>
#include <string_view>

namespace support {

class AtomicFile {
 public:
  AtomicFile() = default;
  // Discards a file that was not committed.
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Creates the temporary file for `path`; false with `error` set when the
  // folder cannot take it.
  bool open(const std::string& path, std::string& error);
  // Where the bytes go until commit; null when not open.
  std::FILE* stream() const { return stream_; }
  // Closes the file and renames it to its path; false with `error` set (and
  // the temporary file gone) when any write, the close or the rename failed.
  bool commit(std::string& error);
  // Removes the temporary file; the path keeps what it held.
  void discard();

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string temporary_;
  std::FILE* stream_ = nullptr;
};

// Writes `bytes` to `path` through an AtomicFile.
bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

}  // namespace support

#endif
