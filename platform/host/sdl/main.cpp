// The Linux entry of the program: its command line, the SDL host below,
// WinMain above.
#include "platform/host/sdl/sdl_entry.h"
#include "support/command_line.h"

int main(int argc, char** argv) {
  support::CommandLine line(
      "kelvane", "[options]",
      "Shows the model built from three boxes by one BSP tree, full screen. Drag with the left\n"
      "mouse button to turn it; Escape quits. Exit status: 0 after Escape, 1 when the display\n"
      "failed or was lost, 2 for a bad command line, 3 when no display could be opened.\n");
  if (const auto end = line.parse(argc, argv)) return support::finishOutput(line.program(), *end);
  return support::finishOutput(line.program(), platform::runWithSdlHost(WinMain, argc, argv));
}
