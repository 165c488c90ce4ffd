// The viewer's keys: one table that the window procedure dispatches
// WM_KEYDOWN through and that the help panel and `kelvane --help` list, so
// that what is handled and what is shown cannot drift apart.
#ifndef KELVANE_APP_VIEW_KEYS_H
#define KELVANE_APP_VIEW_KEYS_H

#include <memory>
#include <string>
#include <vector>

#include "app/construction_steps.h"
#include "platform/win32.h"

struct KeyBinding {
  std::vector<WPARAM> keys;  // virtual-key codes
  const char* label;         // as the help shows the keys
  const char* action;
  void (*run)(HWND window, WPARAM key);
};

const std::vector<KeyBinding>& keyBindings();
// The binding that handles `key`, or null: other keys do nothing.
const KeyBinding* findKeyBinding(WPARAM key);

// The help panel's lines: every binding, then the mouse.
std::vector<std::string> helpLines();

// The steps the number keys show; the built-in scene's unless a model of
// another source set its own (before the first key).
void setConstructionSteps(std::vector<ConstructionStep> steps);
ConstructionSteps& constructionSteps();
// Back to the built-in scene's steps, none shown (resetProgramState).
void forgetConstructionSteps();

// A click at `pixel` while the tree panel shows: picks the node there (or
// none) and redraws. False, with nothing done, when the panel is hidden or
// the click lies outside it.
bool clickTreePanel(const POINT& pixel);

#endif
