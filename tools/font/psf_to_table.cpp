// Build-time generator: turns a console font in PSF form (version 1 or 2,
// gzip-compressed or not) into a C++ table of 256 glyphs indexed by the
// character's Latin-1 code, for the platform's fixed fonts. The font's own
// Unicode table says which glyph shows which character; codes it does not
// cover, and the control codes, get an empty cell.
//
//   kelvane-psf-table FONT.psf[.gz] NAME OUT.cpp
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kCodes = 256;
constexpr int kFirstPrintable = 32;

struct Font {
  int width = 0;
  int height = 0;
  int bytesPerRow = 0;
  int glyphCount = 0;
  std::vector<std::uint8_t> glyphs;   // glyphCount cells of height * bytesPerRow
  std::vector<int> glyphOfCode = std::vector<int>(kCodes, -1);
};

bool readAll(const char* path, std::vector<std::uint8_t>& bytes) {
  gzFile file = gzopen(path, "rb");
  if (file == nullptr) return false;
  std::uint8_t buffer[4096];
  int got = 0;
  while ((got = gzread(file, buffer, sizeof buffer)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
  const bool ok = got == 0;
  gzclose(file);
  return ok;
}

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}

void mapCode(Font& font, std::uint32_t code, int glyph) {
  if (code < kCodes && font.glyphOfCode[code] < 0) font.glyphOfCode[code] = glyph;
}

// PSF1: 2 magic bytes, mode, glyph height; 8 pixels wide; the Unicode table
// lists 16-bit codes per glyph, ending at 0xFFFF.
bool parsePsf1(const std::vector<std::uint8_t>& b, Font& font, std::string& error) {
  constexpr int kModeHas512 = 1, kModeHasTable = 2, kModeHasTable2 = 4;
  const int mode = b[2];
  font.width = 8;
  font.bytesPerRow = 1;
  font.height = b[3];
  font.glyphCount = (mode & kModeHas512) ? 512 : 256;
  const std::size_t cell = static_cast<std::size_t>(font.height);
  const std::size_t glyphEnd = 4 + cell * font.glyphCount;
  if (font.height == 0 || b.size() < glyphEnd) return error = "glyphs cut short", false;
  font.glyphs.assign(b.begin() + 4, b.begin() + glyphEnd);
  if ((mode & (kModeHasTable | kModeHasTable2)) == 0) {
    for (int c = 0; c < kCodes && c < font.glyphCount; ++c) font.glyphOfCode[c] = c;
    return true;
  }
  std::size_t at = glyphEnd;
  for (int glyph = 0; glyph < font.glyphCount && at + 1 < b.size(); ++glyph) {
    for (; at + 1 < b.size(); at += 2) {
      const std::uint32_t code = b[at] | (b[at + 1] << 8);
      if (code == 0xFFFF) {
        at += 2;
        break;
      }
      if (code != 0xFFFE) mapCode(font, code, glyph);
    }
  }
  return true;
}

// Decodes one UTF-8 sequence of the PSF2 Unicode table.
std::uint32_t utf8At(const std::vector<std::uint8_t>& b, std::size_t& at) {
  const std::uint8_t lead = b[at++];
  int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  std::uint32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
  for (; extra > 0 && at < b.size(); --extra) code = (code << 6) | (b[at++] & 0x3F);
  return code;
}

bool parsePsf2(const std::vector<std::uint8_t>& b, Font& font, std::string& error) {
  constexpr std::uint32_t kHasTable = 1;
  if (b.size() < 32) return error = "header cut short", false;
  const std::uint32_t headerSize = le32(b, 8), flags = le32(b, 12), count = le32(b, 16), charSize = le32(b, 20);
  font.height = static_cast<int>(le32(b, 24));
  font.width = static_cast<int>(le32(b, 28));
  font.bytesPerRow = (font.width + 7) / 8;
  font.glyphCount = static_cast<int>(count);
  if (font.width <= 0 || font.height <= 0 || count == 0 || count > 65536 ||
      charSize != static_cast<std::uint32_t>(font.bytesPerRow * font.height)) {
    return error = "unusable header", false;
  }
  const std::size_t glyphEnd = headerSize + std::size_t(charSize) * count;
  if (b.size() < glyphEnd) return error = "glyphs cut short", false;
  font.glyphs.assign(b.begin() + headerSize, b.begin() + glyphEnd);
  if ((flags & kHasTable) == 0) {
    for (int c = 0; c < kCodes && c < font.glyphCount; ++c) font.glyphOfCode[c] = c;
    return true;
  }
  std::size_t at = glyphEnd;
  for (int glyph = 0; glyph < font.glyphCount && at < b.size(); ++glyph) {
    bool inSequence = false;
    while (at < b.size()) {
      if (b[at] == 0xFF) {
        ++at;
        break;
      }
      if (b[at] == 0xFE) {
        inSequence = true;
        ++at;
        continue;
      }
      const std::uint32_t code = utf8At(b, at);
      if (!inSequence) mapCode(font, code, glyph);
    }
  }
  return true;
}

bool parse(const std::vector<std::uint8_t>& b, Font& font, std::string& error) {
  if (b.size() >= 4 && b[0] == 0x36 && b[1] == 0x04) return parsePsf1(b, font, error);
  if (b.size() >= 4 && b[0] == 0x72 && b[1] == 0xB5 && b[2] == 0x4A && b[3] == 0x86) return parsePsf2(b, font, error);
  error = "not a PSF font";
  return false;
}

bool write(const Font& font, const std::string& name, const char* path) {
  std::ofstream out(path);
  out << "// Generated at build time from a console font; do not edit.\n"
      << "#include \"platform/gdi/fixed_font.h\"\n\nnamespace platform {\nnamespace {\n\n"
      << "const std::uint8_t kGlyphs[] = {\n";
  const std::size_t cell = std::size_t(font.height) * font.bytesPerRow;
  for (int code = 0; code < kCodes; ++code) {
    const int glyph = code < kFirstPrintable ? -1 : font.glyphOfCode[code];
    out << " ";
    for (std::size_t i = 0; i < cell; ++i) {
      out << ' ' << (glyph < 0 ? 0 : int(font.glyphs[glyph * cell + i])) << ',';
    }
    out << "  // " << code << "\n";
  }
  out << "};\n\n}  // namespace\n\nconst FixedFont " << name << " = {" << font.width << ", " << font.height << ", "
      << font.bytesPerRow << ", kGlyphs};\n\n}  // namespace platform\n";
  out.close();
  return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: kelvane-psf-table FONT.psf[.gz] NAME OUT.cpp\n");
    return 2;
  }
  std::vector<std::uint8_t> bytes;
  Font font;
  std::string error = "cannot be read";
  if (!readAll(argv[1], bytes) || !parse(bytes, font, error)) {
    std::fprintf(stderr, "kelvane-psf-table: %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  if (!write(font, argv[2], argv[3])) {
    std::fprintf(stderr, "kelvane-psf-table: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
