#include "app/command_line.h"

#include <algorithm>

#include "app/view_keys.h"

// The host joins the arguments with blanks, so a file name is the rest of
// the line from its first word on: names with blanks survive.
CommandLine parseCommandLine(const char* text) {
  CommandLine line;
  const std::string all = text != nullptr ? text : "";
  std::size_t at = 0;
  while ((at = all.find_first_not_of(" \t", at)) != std::string::npos) {
    const std::size_t end = std::min(all.find_first_of(" \t", at), all.size());
    const std::string word = all.substr(at, end - at);
    if (word == "--help" || word == "-h") {
      line.help = true;
    } else if (word == "--window") {
      line.windowed = true;
    } else if (word[0] != '-') {
      line.scenePath = all.substr(at, all.find_last_not_of(" \t") + 1 - at);
      break;
    } else if (line.error.empty()) {
      line.error = "unknown argument '" + word + "' (kelvane --help lists what there is)";
    }
    at = end;
  }
  return line;
}

std::string usageText() {
  std::string text =
      "usage: kelvane [--help] [--window] [FILE]\n"
      "Shows a model built from three boxes by BSP-tree set operations, drawn back to front\n"
      "without a depth buffer, or the solid of FILE (.csg, .obj, .stl). Drag with the left\n"
      "button to turn it. --window starts in a resizable window instead of the full screen.\n\n";
  for (const std::string& line : helpLines()) text += line + "\n";
  return text;
}
