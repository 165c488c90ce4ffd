#include "stress/script_steps.h"

#include <utility>

#include "platform/user/user.h"
#include "platform/win32.h"

platform::ScriptStep inputStep(platform::InputEvent::Kind kind, int x, int y, unsigned key) {
  platform::ScriptEvent e;
  e.input = platform::InputEvent{kind, x, y, key};
  return platform::ScriptStep{e};
}

platform::ScriptStep loseSurfacesStep() {
  platform::ScriptEvent e;
  e.kind = platform::ScriptEvent::LoseSurfaces;
  return platform::ScriptStep{e};
}

int runProgram(std::unique_ptr<platform::HeadlessHost> host) {
  platform::setHost(std::move(host));
  char commandLine[] = "";
  return WinMain(platform::programInstance(), nullptr, commandLine, SW_SHOW);
}
