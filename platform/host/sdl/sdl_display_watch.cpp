#include "platform/host/sdl/sdl_display_watch.h"

#include <SDL_syswm.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <thread>

namespace platform {
namespace {

std::atomic<bool> closingItself{false};
Display* probe = nullptr;

int onConnectionBroken(Display*) { endForLostDisplay(); }

}  // namespace

bool canOpenXDisplay(const char* name) {
  releaseXDisplay();
  probe = XOpenDisplay(name);
  return probe != nullptr;
}

void releaseXDisplay() {
  if (probe != nullptr) XCloseDisplay(probe);
  probe = nullptr;
}

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
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  const int fd = ConnectionNumber(info.info.x11.display);
  // POLLRDHUP alone: the server's hang-up, even with events still unread,
  // and never the events themselves, which stay for Xlib to read.
  std::thread([fd] {
    pollfd watch{fd, POLLRDHUP, 0};
    for (;;) {
      const int seen = ::poll(&watch, 1, -1);
      if (seen < 0 && errno == EINTR) continue;
      if (seen <= 0 || (watch.revents & POLLNVAL)) return;
      if (closingItself) return;
      if (watch.revents & (POLLRDHUP | POLLHUP | POLLERR)) endForLostDisplay();
    }
  }).detach();
}

void unwatchConnection() { closingItself = true; }

void endForLostDisplay() {
  static const char kMessage[] = "kelvane: the display was lost (its connection closed); the program ends\n";
  // Only async-signal-safe calls: Xlib may be anywhere inside itself. The
  // watch and Xlib can both notice at once; the first says so and ends.
  // The other waits for the first to end the process.
  static std::atomic_flag ending = ATOMIC_FLAG_INIT;
  if (ending.test_and_set()) {
    for (;;) ::pause();
  }
  const ssize_t written = ::write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
  static_cast<void>(written);
  ::_exit(kExitDisplayLost);
}

}  // namespace platform
