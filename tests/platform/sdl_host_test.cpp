// The SDL host on SDL's dummy video driver, which needs no display, and the
// entry's answer when no display can be opened at all.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/sdl_entry.h"
#include "platform/sdl_host.h"
#include "platform/user.h"

namespace {

std::string seenCommandLine;

int WINAPI fakeWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  seenCommandLine = commandLine;
  if (instance != platform::programInstance() || previous != nullptr || show != SW_SHOW) return 99;
  // The dummy display is bigger than the frame; the frame is scaled up.
  if (GetSystemMetrics(SM_CXSCREEN) <= 0 || GetSystemMetrics(SM_CYSCREEN) <= 0) return 98;
  ShowCursor(FALSE);
  ShowCursor(TRUE);
  return 1;
}

// Without any display SDL still starts its offscreen driver; the program
// must not run there unseen, waiting for input that never comes.
TEST(SdlHost, EntryRefusesTheStandInDriversUnlessAskedFor) {
  unsetenv("SDL_VIDEODRIVER");
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  testing::internal::CaptureStderr();
  char name[] = "kelvane";
  char* argv[] = {name, nullptr};
  EXPECT_EQ(platform::runWithSdlHost(fakeWinMain, 1, argv), platform::kExitNoDisplay);
  std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("kelvane: no display available (SDL: "), std::string::npos) << said;
  EXPECT_NE(said.find("kelvane-render"), std::string::npos);
  EXPECT_FALSE(platform::hasHost());
}

TEST(SdlHost, ProgramWithoutADisplayExitsAtOnce) {
  const std::string program = std::string(KELVANE_BINARY_DIR) + "/kelvane";
  if (access(program.c_str(), X_OK) != 0) GTEST_SKIP() << "the program is not built";
  std::string command =
      "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 60 " + program + " 2>&1 </dev/null";
  FILE* output = popen(command.c_str(), "r");
  ASSERT_NE(output, nullptr);
  std::string said;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, output)) said += buffer;
  int status = pclose(output);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), platform::kExitNoDisplay);
  EXPECT_NE(said.find("kelvane: no display available (SDL: "), std::string::npos) << said;
}

TEST(SdlHost, EntryRunsWinMainOnTheDummyDisplay) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  char name[] = "kelvane", first[] = "a", second[] = "b c";
  char* argv[] = {name, first, second, nullptr};
  EXPECT_EQ(platform::runWithSdlHost(fakeWinMain, 3, argv), 1);
  EXPECT_EQ(seenCommandLine, "a b c");
  EXPECT_FALSE(platform::hasHost());
}

TEST(SdlHost, PresentsFramesAndHandsOverEvents) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  std::string error;
  std::unique_ptr<platform::SdlHost> host = platform::SdlHost::create(&error);
  ASSERT_TRUE(host) << error;
  EXPECT_GT(host->screenWidth(), 0);
  std::vector<std::uint8_t> pixels(640 * 480, 7);
  platform::Palette palette{};
  palette[7] = {255, 0, 0};
  host->present(pixels.data(), palette);
  host->setCursorVisible(false);
  host->setCursorVisible(true);

  SDL_Event quit = {};
  quit.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&quit), 1);
  ASSERT_TRUE(host->waitEvent());
  platform::InputEvent event;
  bool closed = false;
  while (host->pollEvent(event)) closed = closed || event.kind == platform::InputEvent::Close;
  EXPECT_TRUE(closed);
}

}  // namespace
