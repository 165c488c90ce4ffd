// The headless host's input script: text, one step per line.
//
//   # a comment runs to the end of its line; blank lines are ignored
//   move X Y            the mouse moves to pixel (X, Y)
//   press X Y           the left button goes down at (X, Y)
//   release X Y         the left button comes up at (X, Y)
//   key K               a key goes down; K is a virtual-key code 1..254 in
//                       decimal, or one of escape, return, space, left, up,
//                       right, down, f1, f11; alt+K holds Alt with it
//   size W H            the user resizes the window to a client area of
//                       W x H (1..8192); from then on mouse positions may
//                       lie anywhere in it
//   activate            the program comes to the foreground
//   deactivate          the program loses the foreground
//   close               the window system asks the window to close
//   lose surfaces now   DirectDraw loses its surfaces at that moment
//   press 10 20; move 30 40; release 30 40
//                       several events separated by ';' form one step
//
// X is 0..639 and Y 0..479, the pixels of the 640 x 480 display. Words are
// separated by spaces or tabs; keywords are lower case. The host hands
// the program one step each time the program waits for input.
#ifndef KELVANE_PLATFORM_INPUT_SCRIPT_H
#define KELVANE_PLATFORM_INPUT_SCRIPT_H

#include <string>
#include <vector>

#include "platform/host/host.h"

namespace platform {

struct ScriptEvent {
  enum Kind { Input, LoseSurfaces };
  Kind kind = Input;
  InputEvent input{InputEvent::MouseMove};
};

using ScriptStep = std::vector<ScriptEvent>;

struct ScriptError {
  int line = 0;    // 1-based
  int column = 0;  // 1-based, in bytes
  std::string message;

  std::string text() const;  // "line L, column C: message"
};

// Parses a whole script. On an error `steps` is left empty and `error`
// says where; any bytes at all are safe to pass.
bool parseInputScript(const std::string& text, std::vector<ScriptStep>& steps, ScriptError& error);

}  // namespace platform

#endif
