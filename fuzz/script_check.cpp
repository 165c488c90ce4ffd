// The headless host's script reader on arbitrary bytes. A script it accepts
// holds only events the host can hand over (positions on the display, keys
// a virtual-key code can name, no empty step), and written out again in the
// script's own words it reads back as the same steps. A script it refuses
// leaves no steps behind and names a place that exists in the text.
#include <string>
#include <vector>

#include "fuzz/checks.h"
#include "fuzz/invariant.h"
#include "fuzz/text_place.h"
#include "platform/input_script.h"

namespace {

using platform::InputEvent;
using platform::ScriptEvent;
using platform::ScriptStep;

std::string written(const ScriptEvent& e) {
  if (e.kind == ScriptEvent::LoseSurfaces) return "lose surfaces now";
  const InputEvent& in = e.input;
  const std::string at = " " + std::to_string(in.x) + " " + std::to_string(in.y);
  switch (in.kind) {
    case InputEvent::MouseMove: return "move" + at;
    case InputEvent::LeftDown: return "press" + at;
    case InputEvent::LeftUp: return "release" + at;
    case InputEvent::KeyDown: return "key " + std::to_string(in.key);
    case InputEvent::Activate: return "activate";
    case InputEvent::Deactivate: return "deactivate";
    case InputEvent::Close: return "close";
  }
  throw InvariantBroken("the script reader made an event of no known kind");
}

std::string written(const std::vector<ScriptStep>& steps) {
  std::string text;
  for (const ScriptStep& step : steps) {
    for (std::size_t i = 0; i < step.size(); ++i) text += (i > 0 ? "; " : "") + written(step[i]);
    text += "\n";
  }
  return text;
}

bool sameEvent(const ScriptEvent& a, const ScriptEvent& b) {
  if (a.kind != b.kind) return false;
  if (a.kind == ScriptEvent::LoseSurfaces) return true;
  return a.input.kind == b.input.kind && a.input.x == b.input.x && a.input.y == b.input.y &&
         a.input.key == b.input.key;
}

void requireUsable(const ScriptEvent& e) {
  if (e.kind == ScriptEvent::LoseSurfaces) return;
  const InputEvent& in = e.input;
  require(in.x >= 0 && in.x < platform::kScreenWidth && in.y >= 0 && in.y < platform::kScreenHeight,
          "a script event lies off the display");
  if (in.kind == InputEvent::KeyDown) require(in.key >= 1 && in.key <= 254, "a script key is no virtual-key code");
}

}  // namespace

void checkInputScript(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<ScriptStep> steps{ScriptStep{}};
  platform::ScriptError error;
  if (!platform::parseInputScript(text, steps, error)) {
    require(steps.empty(), "a refused script left steps behind");
    require(placeExists(text, error.line, error.column), "a script error names a place not in the text");
    require(!error.message.empty(), "a script error says nothing");
    return;
  }
  for (const ScriptStep& step : steps) {
    require(!step.empty(), "an accepted script holds an empty step");
    for (const ScriptEvent& e : step) requireUsable(e);
  }
  std::vector<ScriptStep> again;
  require(platform::parseInputScript(written(steps), again, error), "a script written from read steps is refused");
  require(again.size() == steps.size(), "a script read back has another number of steps");
  for (std::size_t i = 0; i < steps.size(); ++i) {
    require(again[i].size() == steps[i].size(), "a step read back has another number of events");
    for (std::size_t j = 0; j < steps[i].size(); ++j) {
      require(sameEvent(again[i][j], steps[i][j]), "an event read back differs");
    }
  }
}
