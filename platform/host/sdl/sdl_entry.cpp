#include "platform/host/sdl/sdl_entry.h"

#include <cstdio>
#include <string>

#include "platform/host/sdl/sdl_host.h"
#include "platform/user/user.h"
#include "support/command_line.h"

namespace platform {

int runWithSdlHost(WinMainFunction winMain, int argc, char** argv) {
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
