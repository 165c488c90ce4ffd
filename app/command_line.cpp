#include "app/command_line.h"

#include <vector>

#include "app/view_keys.h"
#include "support/command_line.h"
#include "support/command_line_text.h"

namespace {

std::string about() {
  std::string text =
      "Shows the model built from three boxes by one BSP tree, or the solid of FILE (.csg, .obj,\n"
      ".stl), full screen. Drag with the left mouse button to turn it; Escape quits. Exit status:\n"
      "0 after Escape, 1 when the scene file, the display failed or was lost, 2 for a bad command\n"
      "line, 3 when no display could be opened.\n\n";
  for (const std::string& line : helpLines()) text += line + "\n";
  return text;
}

// One entry per option: adding one is a line here and a field of CommandLine.
support::CommandLine optionTable(CommandLine& options) {
  support::CommandLine line("kelvane", "[--window] [FILE]", about());
  line.flag("--window", "start in a resizable window rather than full screen (F11 or Alt+Enter toggles)",
            options.windowed);
  line.operands("FILE", "a scene file to show instead of the built-in model", [&options](const std::string& path) {
    if (!options.scenePath.empty()) {
      throw support::UsageError("one FILE only ('" + options.scenePath + "', then '" + path + "')");
    }
    options.scenePath = path;
  });
  return line;
}

}  // namespace

std::optional<int> parseCommandLine(const char* text, CommandLine& options) {
  const std::vector<std::string> words = support::splitArguments(text != nullptr ? text : "");
  std::vector<const char*> argv{"kelvane"};
  for (const std::string& word : words) argv.push_back(word.c_str());
  support::CommandLine line = optionTable(options);
  return line.parse(static_cast<int>(argv.size()), argv.data());
}
