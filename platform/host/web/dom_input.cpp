#include "platform/host/web/dom_input.h"

#include <algorithm>
#include <cmath>

#include "platform/host/host.h"
#include "platform/win32.h"

namespace platform {
namespace {

struct KeyName {
  const char* name;
  unsigned virtualKey;
};

constexpr KeyName kKeys[] = {
    {"Escape", VK_ESCAPE},  {"Enter", VK_RETURN},   {" ", VK_SPACE},    {"Backspace", 0x08},
    {"Tab", 0x09},          {"ArrowLeft", VK_LEFT}, {"ArrowUp", VK_UP}, {"ArrowRight", VK_RIGHT},
    {"ArrowDown", VK_DOWN}, {"PageUp", 0x21},       {"PageDown", 0x22}, {"End", 0x23},
    {"Home", 0x24},         {"Insert", 0x2D},       {"Delete", 0x2E},   {"Shift", 0x10},
    {"Control", 0x11},      {"Alt", 0x12},
};
constexpr unsigned kVirtualKeyF1 = 0x70;
constexpr int kFunctionKeys = 12;

unsigned letterOrDigit(const std::string& text) {
  if (text.size() != 1) return 0;
  const char c = text[0];
  if (c >= 'a' && c <= 'z') return static_cast<unsigned>(c - 'a' + 'A');
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<unsigned>(c);
  return 0;
}

// "F1" to "F12"; 0 for anything else.
unsigned functionKey(const std::string& key) {
  if (key.size() < 2 || key.size() > 3 || key[0] != 'F') return 0;
  int number = 0;
  for (std::size_t i = 1; i < key.size(); ++i) {
    if (key[i] < '0' || key[i] > '9') return 0;
    number = number * 10 + (key[i] - '0');
  }
  return number >= 1 && number <= kFunctionKeys ? kVirtualKeyF1 + static_cast<unsigned>(number - 1) : 0;
}

}  // namespace

bool framePixelAt(const CanvasBox& box, double clientX, double clientY, int& x, int& y) {
  x = 0;
  y = 0;
  if (!(box.width > 0) || !(box.height > 0)) return false;
  const double fx = std::floor((clientX - box.left) * kScreenWidth / box.width);
  const double fy = std::floor((clientY - box.top) * kScreenHeight / box.height);
  const bool inside = fx >= 0 && fy >= 0 && fx < kScreenWidth && fy < kScreenHeight;
  x = static_cast<int>(std::clamp(fx, 0.0, kScreenWidth - 1.0));
  y = static_cast<int>(std::clamp(fy, 0.0, kScreenHeight - 1.0));
  return inside;
}

unsigned virtualKeyOfDomKey(const std::string& key, const std::string& code) {
  if (const unsigned letter = letterOrDigit(key)) return letter;
  if (const unsigned function = functionKey(key)) return function;
  for (const KeyName& mapping : kKeys) {
    if (key == mapping.name) return mapping.virtualKey;
  }
  if (code.size() == 4 && code.compare(0, 3, "Key") == 0) return letterOrDigit(code.substr(3));
  if (code.size() == 6 && code.compare(0, 5, "Digit") == 0) return letterOrDigit(code.substr(5));
  return 0;
}

}  // namespace platform
