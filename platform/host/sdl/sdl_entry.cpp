#include "platform/host/sdl/sdl_entry.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/host/sdl/sdl_host.h"
#include "platform/user/user.h"
#include "support/command_line.h"

namespace platform {

namespace {

// A program asked for its usage answers on stdout and ends before it
// makes a window, so that --help works without a display as well.
bool asksForUsage(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) return true;
  }
  return false;
}

}  // namespace

int runWithSdlHost(WinMainFunction winMain, int argc, char** argv) {
  if (asksForUsage(argc, argv)) return callWinMain(winMain, argc, argv);
  std::string error;
  std::unique_ptr<SdlHost> sdlHost = SdlHost::create(&error);
  if (!sdlHost) {
    std::fprintf(stderr, "kelvane: no display available: %s\n", error.c_str());
    return kExitNoDisplay;
  }
  setHost(std::move(sdlHost));
  constexpr int kNormalEnd = 1;
  const int status = callWinMain(winMain, argc, argv);
  setHost(nullptr);  // closes the window before the process ends
  return status == kNormalEnd ? support::kExitDone : support::kExitFailed;
}

}  // namespace platform
