// The Linux entry of the program: the SDL host below, WinMain above, which
// reads the command line itself, as on Windows.
#include "platform/host/sdl/sdl_entry.h"
#include "support/command_line.h"

int main(int argc, char** argv) {
  return support::finishOutput("kelvane", platform::runWithSdlHost(WinMain, argc, argv));
}
