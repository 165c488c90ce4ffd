// The SDL host on SDL's dummy video driver, which needs no display, its
// events as the program's input, and the program's answer when no display
// can be opened at all.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

#include "platform/sdl_entry.h"
#include "platform/sdl_host.h"
#include "platform/sdl_input.h"
#include "platform/user.h"

namespace {

using platform::InputEvent;

// Each SDL event as kind(x,y,key), or "-" for one that means nothing.
std::string translated(std::initializer_list<SDL_Event> events) {
  std::string text;
  for (const SDL_Event& sdl : events) {
    InputEvent in{InputEvent::Close};
    text += !platform::translateSdlEvent(sdl, in) ? "- " : std::to_string(in.kind) + "(" + std::to_string(in.x) + "," +
                                                              std::to_string(in.y) + "," + std::to_string(in.key) + ") ";
  }
  return text;
}

TEST(SdlInput, EventsBecomeInputWithPositionsClampedToTheFrame) {
  auto button = [](Uint32 type, Sint32 x, Sint32 y, Uint8 which) {
    SDL_Event e = {type};
    e.button.x = x, e.button.y = y, e.button.button = which;
    return e;
  };
  auto key = [](Uint32 type, SDL_Keycode sym) {
    SDL_Event e = {type};
    e.key.keysym.sym = sym;
    return e;
  };
  auto window = [](Uint8 which) {
    SDL_Event e = {SDL_WINDOWEVENT};
    e.window.event = which;
    return e;
  };
  SDL_Event motion = {SDL_MOUSEMOTION};
  motion.motion.x = 320, motion.motion.y = 240;
  EXPECT_EQ(translated({motion, button(SDL_MOUSEBUTTONDOWN, -40, 900, SDL_BUTTON_LEFT),
                        button(SDL_MOUSEBUTTONUP, 700, -1, SDL_BUTTON_LEFT),
                        button(SDL_MOUSEBUTTONDOWN, 1, 1, SDL_BUTTON_RIGHT)}),
            "0(320,240,0) 1(0,479,0) 2(639,0,0) - ");
  EXPECT_EQ(translated({key(SDL_KEYDOWN, SDLK_ESCAPE), key(SDL_KEYDOWN, SDLK_VOLUMEUP), key(SDL_KEYUP, SDLK_ESCAPE),
                        window(SDL_WINDOWEVENT_FOCUS_GAINED), window(SDL_WINDOWEVENT_FOCUS_LOST),
                        window(SDL_WINDOWEVENT_EXPOSED), SDL_Event{SDL_QUIT}}),
            "3(0,0,27) - - 4(0,0,0) 5(0,0,0) - 6(0,0,0) ");
  std::string keys;
  for (SDL_Keycode k : {SDLK_z, SDLK_9, SDLK_DOWN, SDLK_F12}) keys += std::to_string(platform::virtualKeyOf(k)) + " ";
  EXPECT_EQ(keys, "90 57 40 123 ");
}

std::string seenCommandLine;

int WINAPI fakeWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  seenCommandLine = commandLine;
  const bool asWindows = instance == platform::programInstance() && previous == nullptr && show == SW_SHOW;
  return asWindows && GetSystemMetrics(SM_CXSCREEN) > 0 ? 1 : 99;
}

TEST(SdlHost, EntryRunsWinMainAndTheHostPresentsAndHandsOverEvents) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  char name[] = "kelvane", first[] = "a", second[] = "b c";
  char* argv[] = {name, first, second, nullptr};
  EXPECT_EQ(platform::runWithSdlHost(fakeWinMain, 3, argv), 1);
  EXPECT_EQ(seenCommandLine, "a b c");
  EXPECT_FALSE(platform::hasHost());

  std::string error;
  std::unique_ptr<platform::SdlHost> host = platform::SdlHost::create(&error);
  ASSERT_TRUE(host) << error;
  std::vector<std::uint8_t> pixels(640 * 480, 7);
  host->present(pixels.data(), platform::Palette{});
  host->setCursorVisible(false);
  SDL_Event quit = {SDL_QUIT};
  ASSERT_EQ(SDL_PushEvent(&quit), 1);
  ASSERT_TRUE(host->waitEvent());
  InputEvent event{InputEvent::MouseMove};
  bool closed = false;
  while (host->pollEvent(event)) closed = closed || event.kind == InputEvent::Close;
  EXPECT_TRUE(closed);
}

// Without any display SDL would still start its offscreen driver; the
// program must not run there unseen, waiting for input that never comes.
TEST(SdlHost, ProgramWithoutADisplaySaysSoInOneLineAndExits) {
  const std::string program = std::string(KELVANE_BINARY_DIR) + "/kelvane";
  if (access(program.c_str(), X_OK) != 0) GTEST_SKIP() << "the program is not built";
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 60 " + program + " 2>&1 </dev/null";
  FILE* output = popen(command.c_str(), "r");
  ASSERT_NE(output, nullptr);
  std::string said;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, output)) said += buffer;
  const int status = pclose(output);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), platform::kExitNoDisplay);
  const std::size_t line = said.find("kelvane: no display available (SDL: ");
  ASSERT_NE(line, std::string::npos) << said;
  EXPECT_EQ(said.find('\n', line), said.size() - 1) << said;  // one line, the last
}

}  // namespace
