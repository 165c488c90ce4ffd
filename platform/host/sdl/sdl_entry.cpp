#include "platform/host/sdl/sdl_entry.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/host/sdl/sdl_host.h"
#include "platform/user/user.h"

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

std::string joinedArguments(int argc, char** argv) {
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += argv[i];
  }
  return commandLine;
}

}  // namespace

int runWithSdlHost(WinMainFunction winMain, int argc, char** argv) {
  std::string commandLine = joinedArguments(argc, argv);
  if (asksForUsage(argc, argv)) return winMain(programInstance(), nullptr, commandLine.data(), SW_SHOW);
  std::string error;
  std::unique_ptr<SdlHost> sdlHost = SdlHost::create(&error);
  if (!sdlHost) {
    std::fprintf(stderr,
                 "kelvane: no display available (SDL: %s); run `make run` on a desktop, "
                 "or use build/kelvane-render to render frames to PNG\n",
                 error.c_str());
    return kExitNoDisplay;
  }
  setHost(std::move(sdlHost));
  int status = winMain(programInstance(), nullptr, commandLine.data(), SW_SHOW);
  setHost(nullptr);  // closes the window before the process ends
  return status;
}

}  // namespace platform
