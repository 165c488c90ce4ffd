// Turns the renderer's steps into the headless host's input script.
#ifndef KELVANE_TOOLS_RENDER_SCRIPT_H
#define KELVANE_TOOLS_RENDER_SCRIPT_H

#include <vector>

#include "platform/host/headless/input_script.h"
#include "tools/render_options.h"

// One script step per event, so that each reaches the program on its own
// and draws its own frame; Escape ends the script.
std::vector<platform::ScriptStep> renderScript(const std::vector<RenderStep>& steps);

#endif
