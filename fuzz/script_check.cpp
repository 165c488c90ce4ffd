// The headless host's script reader on arbitrary bytes. A script it accepts
// holds only events the host can hand over: positions on the display or in
// the client area a `size` line gave, keys a virtual-key code can name, no
// empty step. A script it refuses leaves no steps behind and says what is
// wrong at a place that exists in the text.
#include "fuzz/checks.h"
#include "platform/host/headless/input_script.h"

void checkInputScript(const std::uint8_t* data, std::size_t size) {
  using platform::InputEvent;
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<platform::ScriptStep> steps{platform::ScriptStep{}};
  platform::ScriptError error;
  if (!platform::parseInputScript(text, steps, error)) {
    require(steps.empty(), "a refused script left steps behind");
    return require(placeExists(text, error.line, error.column) && !error.message.empty(),
                   "a script error names no place in the text, or says nothing");
  }
  // The mouse may reach as far as the last client area a `size` line gave.
  int width = platform::kScreenWidth;
  int height = platform::kScreenHeight;
  for (const platform::ScriptStep& step : steps) {
    require(!step.empty(), "an accepted script holds an empty step");
    for (const platform::ScriptEvent& e : step) {
      const InputEvent& in = e.input;
      if (e.kind == platform::ScriptEvent::LoseSurfaces) continue;
      require(in.kind >= InputEvent::MouseMove && in.kind <= InputEvent::Resize, "a script event is of no known kind");
      if (in.kind == InputEvent::Resize) {
        require(in.x >= 1 && in.y >= 1, "a client area has no pixels");
        width = in.x;
        height = in.y;
        continue;
      }
      require(in.x >= 0 && in.x < width && in.y >= 0 && in.y < height, "a script event lies off the client area");
      require(in.kind != InputEvent::KeyDown || (in.key >= 1 && in.key <= 254), "a script key is no virtual-key code");
    }
  }
}
