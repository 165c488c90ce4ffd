// Script steps for the headless host built in code, and a run of the
// unchanged program (WinMain) on such a host: what the soak and fault runs
// share.
#ifndef KELVANE_STRESS_SCRIPT_STEPS_H
#define KELVANE_STRESS_SCRIPT_STEPS_H

#include <memory>

#include "platform/host/headless/headless_host.h"

// A step of one input event.
platform::ScriptStep inputStep(platform::InputEvent::Kind kind, int x = 0, int y = 0, unsigned key = 0);
// A step in which DirectDraw loses its surfaces.
platform::ScriptStep loseSurfacesStep();

// Installs host and runs the program to its end; returns WinMain's result.
int runProgram(std::unique_ptr<platform::HeadlessHost> host);

#endif
