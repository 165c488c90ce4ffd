#include "tools/render_script.h"

#include <cmath>

#include "platform/win32.h"

namespace {

platform::ScriptStep step(platform::InputEvent::Kind kind, int x = 0, int y = 0, unsigned key = 0) {
  platform::ScriptEvent event;
  event.input.kind = kind;
  event.input.x = x;
  event.input.y = y;
  event.input.key = key;
  return platform::ScriptStep{event};
}

int between(int from, int to, int k, int count) {
  return from + static_cast<int>(std::lround(double(to - from) * k / count));
}

}  // namespace

std::vector<platform::ScriptStep> renderScript(const std::vector<RenderStep>& steps) {
  using platform::InputEvent;
  std::vector<platform::ScriptStep> script;
  for (const RenderStep& s : steps) {
    switch (s.kind) {
      case RenderStep::Drag:
        script.push_back(step(InputEvent::LeftDown, s.x0, s.y0));
        for (int k = 1; k <= s.moves; ++k) {
          script.push_back(step(InputEvent::MouseMove, between(s.x0, s.x1, k, s.moves),
                                between(s.y0, s.y1, k, s.moves)));
        }
        script.push_back(step(InputEvent::LeftUp, s.x1, s.y1));
        break;
      case RenderStep::Deactivate:
        script.push_back(step(InputEvent::Deactivate));
        break;
      case RenderStep::Activate:
        script.push_back(step(InputEvent::Activate));
        break;
      case RenderStep::Key:
        script.push_back(step(InputEvent::KeyDown, 0, 0, s.key));
        break;
    }
  }
  script.push_back(step(InputEvent::KeyDown, 0, 0, VK_ESCAPE));
  return script;
}
