// Argument text for the call log of USER, GDI and DirectDraw: handles in
// hex or NULL, messages and show commands by their Win32 names, so that a
// test can compare a log line with the call as it would be written in code.
#ifndef KELVANE_PLATFORM_TRACE_CALL_FORMAT_H
#define KELVANE_PLATFORM_TRACE_CALL_FORMAT_H

#include <cstdint>
#include <initializer_list>
#include <string>

#include "platform/win32.h"

namespace platform {

std::string hexText(std::uintptr_t value);
std::string handleText(const void* handle);
std::string messageText(UINT message);
std::string resourceText(LPCSTR name);  // MAKEINTRESOURCE ids as numbers
std::string showCommandText(int command);
std::string joinArgs(std::initializer_list<std::string> args);

}  // namespace platform

#endif
