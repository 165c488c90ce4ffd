// The program's main() in the browser: the web host below, WinMain above.
// When WinMain returns the page is told, so that it can say that the
// program ended and offer to start it again.
#include <emscripten.h>

#include <memory>

#include "platform/host/web/web_host.h"
#include "platform/user/user.h"

namespace {

// The page's canvas (web/index.html).
constexpr const char* kCanvas = "#screen";

EM_JS(void, tellPageProgramEnded, (int status), {
  if (Module.onKelvaneEnd) Module.onKelvaneEnd(status);
});

}  // namespace

int main(int argc, char** argv) {
  platform::setHost(std::make_unique<platform::WebHost>(kCanvas));
  const int status = platform::callWinMain(WinMain, argc, argv);
  platform::setHost(nullptr);  // its listeners go with it
  tellPageProgramEnded(status);
  return status;
}
