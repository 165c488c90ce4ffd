#include "platform/host/sdl/sdl_display_watch.h"

#include <SDL_syswm.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

namespace platform {
namespace {

int watchedFd = -1;

int onConnectionBroken(Display*) { endForLostDisplay(); }

}  // namespace

void watchDisplay() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr || SDL_strcmp(driver, "x11") != 0) return;
  // A write to the closed socket must come back as an error for Xlib to
  // handle, not end the process silently.
  std::signal(SIGPIPE, SIG_IGN);
  XSetIOErrorHandler(onConnectionBroken);
}

void watchConnection(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
    watchedFd = ConnectionNumber(info.info.x11.display);
  }
}

bool displayClosed() {
  if (watchedFd < 0) return false;
  pollfd watch{watchedFd, POLLIN, 0};
  if (::poll(&watch, 1, 0) <= 0) return false;
  if (watch.revents & (POLLHUP | POLLERR | POLLNVAL)) return true;
  // Readable: either events wait (left for SDL to read) or the server is
  // gone, which a peek sees as the end of the stream.
  char byte = 0;
  return ::recv(watchedFd, &byte, 1, MSG_PEEK | MSG_DONTWAIT) == 0;
}

void endForLostDisplay() {
  static const char kMessage[] = "kelvane: the display was lost (its connection closed); the program ends\n";
  // Only async-signal-safe calls: Xlib may be anywhere inside itself.
  const ssize_t written = ::write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
  static_cast<void>(written);
  ::_exit(kExitDisplayLost);
}

}  // namespace platform
