// The two hosts. The headless one: its input script with errors that say
// where, and the frames it keeps. The SDL
// one on SDL's dummy video driver, its events as the program's input, and
// the program's answer when no display can be opened at all.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/host/headless/headless_host.h"
#include "platform/host/sdl/sdl_entry.h"
#include "platform/host/sdl/sdl_host.h"
#include "platform/host/sdl/sdl_input.h"
#include "platform/user/user.h"
#include "support/run_command.h"

namespace {

using platform::InputEvent;
using platform::ScriptStep;

std::string describe(const InputEvent& in) {
  return std::to_string(in.kind) + "(" + std::to_string(in.x) + "," + std::to_string(in.y) + "," +
         std::to_string(in.key) + ") ";
}

TEST(InputScript, StepsAreLinesAndSemicolonsGroupEvents) {
  const std::string text =
      "# a drag\n\nmove 0 0\npress 639 479   # bottom right\nrelease 1 2\r\nkey escape;key 65 ;;\n"
      "\tdeactivate; activate \nclose # ; key up\nlose surfaces now\n";
  std::vector<ScriptStep> steps;
  platform::ScriptError error;
  ASSERT_TRUE(platform::parseInputScript(text, steps, error)) << error.text();
  std::string seen;
  for (const ScriptStep& step : steps) {
    for (const platform::ScriptEvent& e : step) {
      seen += e.kind == platform::ScriptEvent::LoseSurfaces ? "lose " : describe(e.input);
    }
    seen += "| ";
  }
  EXPECT_EQ(seen, "0(0,0,0) | 1(639,479,0) | 2(1,2,0) | 3(0,0,27) 3(0,0,65) | 5(0,0,0) 4(0,0,0) | 6(0,0,0) | lose | ");
}

// A resize widens the mouse's range to the new client area; alt+ holds Alt.
TEST(InputScript, SizeAndAltKeys) {
  std::vector<ScriptStep> steps;
  platform::ScriptError error;
  ASSERT_TRUE(platform::parseInputScript("size 1300 1000; move 1299 999; key alt+return; key f11", steps, error))
      << error.text();
  ASSERT_EQ(steps.size(), 1u);
  std::string seen;
  for (const platform::ScriptEvent& e : steps[0]) seen += describe(e.input) + (e.input.alt ? "alt " : "");
  EXPECT_EQ(seen, "7(1300,1000,0) 0(1299,999,0) 3(0,0,13) alt 3(0,0,122) ");
}

TEST(InputScript, ErrorsSayWhereAndWhat) {
  const std::pair<std::string, std::string> cases[] = {
      {"jump 1 2", "line 1, column 1: unknown event 'jump'"},
      {"move 1 2\n\nmove 640 0", "line 3, column 6: '640' is out of range 0..639"},
      {"press 1 2; release 3", "line 1, column 21: 'release' needs an x and a y"},
      {"size 800 600\nmove 799 599; move 800 0", "line 2, column 20: '800' is out of range 0..799"},
      {"size 0 600", "line 1, column 6: '0' is out of range 1..8192"},
      {"key alt+x", "line 1, column 9: 'x' is not a number"},
      {std::string(1000, 'x'), "line 1, column 1: unknown event 'xxxx"},
  };
  for (const auto& [text, says] : cases) {
    std::vector<ScriptStep> steps;
    platform::ScriptError error;
    EXPECT_FALSE(platform::parseInputScript(text, steps, error)) << text;
    EXPECT_TRUE(steps.empty());
    EXPECT_EQ(error.text().substr(0, says.size()), says);
    EXPECT_LT(error.message.size(), 80u);  // long words are cut short
  }
}

TEST(HeadlessHost, KeepsEveryFlipOrOnlyTheLatest) {
  platform::HeadlessHost host({});
  for (std::uint8_t index : {3, 9, 4}) {
    host.present(std::vector<std::uint8_t>(640 * 480, index).data(), platform::Palette{});
    host.keepAllFrames(index != 3);
  }
  // Three flips; the first was dropped while only the latest was kept.
  EXPECT_EQ(host.frameCount(), 3);
  EXPECT_EQ(host.frames().size(), 2u);
  EXPECT_EQ(host.frames()[1].number, 3);
  EXPECT_EQ(host.frames()[1].pixels[1234], 4);
}

SDL_Event sdlEvent(Uint32 type, int a = 0, int b = 0, Uint8 button = SDL_BUTTON_LEFT) {
  SDL_Event e = {type};
  if (type == SDL_MOUSEMOTION) e.motion.x = a, e.motion.y = b;
  if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP)
    e.button.x = a, e.button.y = b, e.button.button = button;
  if (type == SDL_KEYDOWN || type == SDL_KEYUP) e.key.keysym.sym = a;
  if (type == SDL_WINDOWEVENT) e.window.event = Uint8(a);
  return e;
}

TEST(SdlInput, EventsBecomeInputWithPositionsClampedToTheFrame) {
  std::string seen;
  for (const SDL_Event& sdl :
       {sdlEvent(SDL_MOUSEMOTION, 320, 240), sdlEvent(SDL_MOUSEBUTTONDOWN, -40, 900),
        sdlEvent(SDL_MOUSEBUTTONUP, 700, -1), sdlEvent(SDL_MOUSEBUTTONDOWN, 1, 1, SDL_BUTTON_RIGHT),
        sdlEvent(SDL_KEYDOWN, SDLK_ESCAPE), sdlEvent(SDL_KEYDOWN, SDLK_z), sdlEvent(SDL_KEYDOWN, SDLK_9),
        sdlEvent(SDL_KEYDOWN, SDLK_DOWN), sdlEvent(SDL_KEYDOWN, SDLK_F12), sdlEvent(SDL_KEYDOWN, SDLK_VOLUMEUP),
        sdlEvent(SDL_KEYUP, SDLK_ESCAPE), sdlEvent(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_GAINED),
        sdlEvent(SDL_WINDOWEVENT, SDL_WINDOWEVENT_FOCUS_LOST), sdlEvent(SDL_WINDOWEVENT, SDL_WINDOWEVENT_EXPOSED),
        sdlEvent(SDL_QUIT)}) {
    InputEvent in{InputEvent::Close};
    seen += platform::translateSdlEvent(sdl, in) ? describe(in) : "- ";
  }
  EXPECT_EQ(seen,
            "0(320,240,0) 1(0,479,0) 2(639,0,0) - 3(0,0,27) 3(0,0,90) 3(0,0,57) 3(0,0,40) 3(0,0,123) - - 4(0,0,0) "
            "5(0,0,0) - 6(0,0,0) ");
}

std::string seenCommandLine;
bool openBeforeFirstCall = true;

int WINAPI fakeWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  seenCommandLine = commandLine;
  openBeforeFirstCall = SDL_WasInit(SDL_INIT_VIDEO) != 0;
  const bool asWindows = instance == platform::programInstance() && previous == nullptr && show == SW_SHOW;
  return asWindows && GetSystemMetrics(SM_CXSCREEN) > 0 && SDL_WasInit(SDL_INIT_VIDEO) != 0 ? 1 : 99;
}

// The display opens at the program's first call that needs it, not before.
TEST(SdlHost, EntryRunsWinMainAndTheHostPresentsAndHandsOverEvents) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  char name[] = "kelvane", first[] = "a", second[] = "b c";
  char* argv[] = {name, first, second, nullptr};
  EXPECT_EQ(platform::runWithSdlHost(fakeWinMain, 3, argv), 0);  // WinMain's normal 1
  EXPECT_EQ(seenCommandLine, "a \"b c\"");
  EXPECT_FALSE(openBeforeFirstCall);
  EXPECT_FALSE(platform::hasHost());
  std::string error;
  std::unique_ptr<platform::SdlHost> host = platform::SdlHost::create(&error);
  ASSERT_TRUE(host) << error;
  host->present(std::vector<std::uint8_t>(640 * 480, 7).data(), platform::Palette{});
  SDL_Event quit = sdlEvent(SDL_QUIT);
  ASSERT_EQ(SDL_PushEvent(&quit), 1);
  ASSERT_TRUE(host->waitEvent());
  InputEvent event{InputEvent::MouseMove};
  while (host->pollEvent(event) && event.kind != InputEvent::Close) continue;
  EXPECT_EQ(event.kind, InputEvent::Close);
}

// Without any display SDL would still start its offscreen driver; the
// program must not run there unseen, waiting for input that never comes.
// A display named but not there is said to be so, by name, without the
// complaints of other drivers tried in vain.
TEST(SdlHost, ProgramWithoutADisplaySaysWhyInOneLineAndExits) {
  const std::string program = std::string(KELVANE_BINARY_DIR) + "/kelvane";
  if (access(program.c_str(), X_OK) != 0) GTEST_SKIP() << "the program is not built";
  // A scene file is read before the display is asked for: a bad one is
  // named, and no display is the answer only for a good one.
  const std::string noDisplay = "-u DISPLAY -u WAYLAND_DISPLAY";
  const struct {
    std::string environment, arguments;
    int status;
    std::string says;
  } cases[] = {
      {noDisplay, "", platform::kExitNoDisplay,
       "kelvane: no display available: neither DISPLAY nor WAYLAND_DISPLAY is set"},
      {"-u WAYLAND_DISPLAY DISPLAY=:399", "", platform::kExitNoDisplay,
       "kelvane: no display available: cannot open the X display ':399': no X server accepts"},
      {noDisplay, "no-such-file.csg", 1, "no-such-file.csg: error: cannot open"},
      {noDisplay, KELVANE_SOURCE_DIR "/examples/die.csg", platform::kExitNoDisplay, "kelvane: no display available"},
  };
  for (const auto& c : cases) {
    const std::string command =
        "env -u SDL_VIDEODRIVER " + c.environment + " timeout 60 " + program + " " + c.arguments;
    const CommandRun run = runCommand(command + " 2>&1 </dev/null");
    EXPECT_EQ(run.status, c.status) << command;
    EXPECT_EQ(run.output.rfind(c.says, 0), 0u) << run.output;
    EXPECT_EQ(run.output.find('\n'), run.output.size() - 1) << run.output;  // one line
  }
}

}  // namespace
