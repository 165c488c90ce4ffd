// The Linux entry of the program: the SDL host below, WinMain above.
#include "platform/host/sdl/sdl_entry.h"

int main(int argc, char** argv) { return platform::runWithSdlHost(WinMain, argc, argv); }
