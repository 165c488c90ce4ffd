#include "app/command_line.h"

#include <sstream>

#include "app/view_keys.h"

CommandLine parseCommandLine(const char* text) {
  CommandLine line;
  std::istringstream words(text != nullptr ? text : "");
  std::string word;
  while (words >> word) {
    if (word == "--help" || word == "-h") {
      line.help = true;
    } else if (line.error.empty()) {
      line.error = "unknown argument '" + word + "' (kelvane --help lists what there is)";
    }
  }
  return line;
}

std::string usageText() {
  std::string text =
      "usage: kelvane [--help]\n"
      "Shows a model built from three boxes by BSP-tree set operations, drawn back to front\n"
      "without a depth buffer. Drag with the left button to turn it.\n\n";
  for (const std::string& line : helpLines()) text += line + "\n";
  return text;
}
