// The program's command line, read in this one place on every system: the
// string WinMain gets, split by Windows' rules (support/command_line_text.h),
// then parsed by the option table every Kelvane program shares. --help (or
// -h) prints the usage with every key; a FILE names the scene to show.
#ifndef KELVANE_APP_COMMAND_LINE_H
#define KELVANE_APP_COMMAND_LINE_H

#include <optional>
#include <string>

struct CommandLine {
  bool windowed = false;  // --window: start in a resizable window
  std::string scenePath;  // empty: the built-in scene
};

// Fills options from WinMain's command line. Returns nothing when the
// program should go on; otherwise WinMain's result, at once: 0 after the
// usage on stdout for --help (a WinMain ends with 0 before its message
// loop), support::kExitUsage after one line on stderr for a command line
// it cannot follow.
std::optional<int> parseCommandLine(const char* text, CommandLine& options);

#endif
