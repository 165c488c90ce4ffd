// The program's command line: --help (or -h), which prints the usage with
// every key and ends the program, or the name of a scene file to show.
#ifndef KELVANE_APP_COMMAND_LINE_H
#define KELVANE_APP_COMMAND_LINE_H

#include <string>

// WinMain's result for a command line it cannot follow.
constexpr int kUsageStatus = 64;

struct CommandLine {
  bool help = false;
  bool windowed = false;  // --window: start in a resizable window
  std::string scenePath;  // empty: the built-in scene
  std::string error;  // empty when the line was understood
};

CommandLine parseCommandLine(const char* text);

// What --help prints: the usage line and the keys of the help panel.
std::string usageText();

#endif
