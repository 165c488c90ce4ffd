// The program's main() in the browser: the web host below, WinMain above.
// When WinMain returns the page is told, so that it can say that the
// program ended and offer to start it again.
#include <emscripten.h>

#include <memory>
#include <string>

#include "platform/host/web/web_host.h"
#include "platform/user.h"
#include "platform/win32.h"

namespace {

constexpr const char* kCanvas = "#screen";

EM_JS(void, tellPageProgramEnded, (int status), {
  if (Module.onKelvaneEnd) Module.onKelvaneEnd(status);
});

}  // namespace

int main(int argc, char** argv) {
  platform::setHost(std::make_unique<platform::WebHost>(kCanvas));
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += argv[i];
  }
  const int status = WinMain(platform::programInstance(), nullptr, commandLine.data(), SW_SHOW);
  platform::setHost(nullptr);
  tellPageProgramEnded(status);
  return status;
}
