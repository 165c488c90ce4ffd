#include "app/screenshot.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "app/program.h"

namespace {

constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t kStoredBlock = 65535;  // the most a stored deflate block holds

std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void chunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data) {
  put32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  put32(out, crc32(&out[start], out.size() - start));
}

// A zlib stream of stored blocks: header, blocks, Adler-32 of the data.
std::vector<std::uint8_t> storedZlib(const std::vector<std::uint8_t>& raw) {
  std::vector<std::uint8_t> out{0x78, 0x01};
  std::size_t at = 0;
  do {
    const std::size_t size = std::min(kStoredBlock, raw.size() - at);
    const bool last = at + size == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<std::uint8_t>(size));
    out.push_back(static_cast<std::uint8_t>(size >> 8));
    out.push_back(static_cast<std::uint8_t>(~size));
    out.push_back(static_cast<std::uint8_t>(~size >> 8));
    out.insert(out.end(), raw.begin() + std::ptrdiff_t(at), raw.begin() + std::ptrdiff_t(at + size));
    at += size;
  } while (at < raw.size());
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521u;
    b = (b + a) % 65521u;
  }
  put32(out, (b << 16) | a);
  return out;
}

bool writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
#ifdef _WIN32
    const int wrote = _write(fd, bytes.data() + done, static_cast<unsigned>(bytes.size() - done));
#else
    const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
#endif
    if (wrote <= 0) return false;
    done += static_cast<std::size_t>(wrote);
  }
  return true;
}

// Creates the file only if it does not exist yet; -1 otherwise.
int createNew(const std::string& path) {
#ifdef _WIN32
  return _open(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
  return open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY, 0644);
#endif
}

int closeFile(int fd) {
#ifdef _WIN32
  return _close(fd);
#else
  return close(fd);
#endif
}

}  // namespace

std::vector<std::uint8_t> encodeIndexedPng(const ScreenImage& image) {
  std::vector<std::uint8_t> header;
  put32(header, static_cast<std::uint32_t>(image.width));
  put32(header, static_cast<std::uint32_t>(image.height));
  header.insert(header.end(), {8, 3, 0, 0, 0});  // 8 bits, palette, deflate, no filter, no interlace
  std::vector<std::uint8_t> palette;
  for (const PALETTEENTRY& entry : image.palette) palette.insert(palette.end(), {entry.peRed, entry.peGreen, entry.peBlue});
  std::vector<std::uint8_t> raw;
  raw.reserve(std::size_t(image.width + 1) * image.height);
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);  // no filter
    const auto row = image.pixels.begin() + std::ptrdiff_t(y) * image.width;
    raw.insert(raw.end(), row, row + image.width);
  }
  std::vector<std::uint8_t> png(std::begin(kSignature), std::end(kSignature));
  chunk(png, "IHDR", header);
  chunk(png, "PLTE", palette);
  chunk(png, "IDAT", storedZlib(raw));
  chunk(png, "IEND", {});
  return png;
}

std::string saveNumbered(const std::string& folder, const std::vector<std::uint8_t>& bytes, std::string& error) {
  for (int n = 1; n <= kMaxScreenshots; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "kelvane-%04d.png", n);
    const std::string path = folder.empty() ? name : folder + "/" + name;
    const int fd = createNew(path);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      error = "cannot create " + path + ": " + std::strerror(errno);
      return "";
    }
    const bool written = writeAll(fd, bytes);
    const int savedErrno = errno;
    if (closeFile(fd) != 0 || !written) {
      error = "cannot write " + path + ": " + std::strerror(written ? errno : savedErrno);
      std::remove(path.c_str());
      return "";
    }
    return path;
  }
  error = "kelvane-0001.png to kelvane-" + std::to_string(kMaxScreenshots) + ".png all exist";
  return "";
}

void saveScreenshot() {
  if (theViewer == nullptr) return;
  ScreenImage image;
  std::string error;
  std::string saved;
  if (theViewer->captureFrame(image, error)) saved = saveNumbered("", encodeIndexedPng(image), error);
  endIfDisplayFailed();
  if (saved.empty()) {
    std::fprintf(stderr, "kelvane: no screenshot: %s\n", error.c_str());
  } else {
    std::printf("kelvane: saved %s\n", saved.c_str());
    std::fflush(stdout);
  }
}
