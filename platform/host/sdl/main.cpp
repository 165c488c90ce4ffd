// The Linux entry of the program: its command line, the SDL host below,
// WinMain above.
#include <cstring>

#include "platform/host/sdl/sdl_entry.h"
#include "support/command_line.h"

int main(int argc, char** argv) {
  // The usage with every key is the program's own, printed by WinMain
  // without a display.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      return support::finishOutput("kelvane", platform::runWithSdlHost(WinMain, argc, argv));
    }
  }
  support::CommandLine line(
      "kelvane", "[FILE]",
      "Shows the model built from three boxes by one BSP tree, or the solid of FILE (.csg, .obj,\n"
      ".stl), full screen. Drag with the left mouse button to turn it; Escape quits. Exit status:\n"
      "0 after Escape, 1 when the scene file, the display failed or was lost, 2 for a bad command\n"
      "line, 3 when no display could be opened.\n");
  line.flag("--window", "start in a resizable window rather than full screen (F11 or Alt+Enter toggles)", [] {});
  line.operands("FILE", "a scene file to show instead of the built-in model", [](const std::string&) {});
  if (const auto end = line.parse(argc, argv)) return support::finishOutput(line.program(), *end);
  return support::finishOutput(line.program(), platform::runWithSdlHost(WinMain, argc, argv));
}
