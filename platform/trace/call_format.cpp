#include "platform/trace/call_format.h"

#include <cstdint>
#include <cstdio>

namespace platform {
std::string hexText(std::uintptr_t value) {
  char text[2 + 2 * sizeof value + 1];
  std::snprintf(text, sizeof text, "0x%jx", static_cast<std::uintmax_t>(value));
  return text;
}

std::string handleText(const void* handle) {
  return handle ? hexText(reinterpret_cast<std::uintptr_t>(handle)) : "NULL";
}

std::string messageText(UINT message) {
  switch (message) {
    case WM_NULL: return "WM_NULL";
    case WM_CREATE: return "WM_CREATE";
    case WM_DESTROY: return "WM_DESTROY";
    case WM_ACTIVATE: return "WM_ACTIVATE";
    case WM_SETFOCUS: return "WM_SETFOCUS";
    case WM_KILLFOCUS: return "WM_KILLFOCUS";
    case WM_PAINT: return "WM_PAINT";
    case WM_CLOSE: return "WM_CLOSE";
    case WM_QUIT: return "WM_QUIT";
    case WM_ERASEBKGND: return "WM_ERASEBKGND";
    case WM_SHOWWINDOW: return "WM_SHOWWINDOW";
    case WM_NCDESTROY: return "WM_NCDESTROY";
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case WM_KEYUP: return "WM_KEYUP";
    case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
    case WM_SIZE: return "WM_SIZE";
    case WM_MOUSEMOVE: return "WM_MOUSEMOVE";
    case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP: return "WM_LBUTTONUP";
    default: return hexText(message);
  }
}

std::string resourceText(LPCSTR name) {
  if (!name) return "NULL";
  auto value = reinterpret_cast<std::uintptr_t>(name);
  return value <= 0xffff ? std::to_string(value) : "\"" + std::string(name) + "\"";
}

std::string showCommandText(int command) {
  switch (command) {
    case SW_HIDE: return "SW_HIDE";
    case SW_SHOWNORMAL: return "SW_SHOWNORMAL";
    case SW_SHOW: return "SW_SHOW";
    default: return std::to_string(command);
  }
}

std::string joinArgs(std::initializer_list<std::string> args) {
  std::string text;
  const char* separator = "";
  for (const std::string& arg : args) {
    text += separator;
    text += arg;
    separator = ", ";
  }
  return text;
}

}  // namespace platform
