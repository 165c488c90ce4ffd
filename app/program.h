// The program's spine on the Windows side: the entry point, the one
// full-screen window and its window procedure, and the message loop that
// draws a frame whenever the screen is out of date and no message waits.
#ifndef KELVANE_APP_PROGRAM_H
#define KELVANE_APP_PROGRAM_H

#include <cstdint>

#include "display/viewer.h"
#include "platform/win32.h"

// WinMain's result when the display could not be set up or was lost, or the
// window could not be served; every normal end returns 1, and 2 is a bad
// command line (support::kExitUsage).
constexpr int kDisplayFailedStatus = 4;

extern HWND mainWindow;
// Null before start-up, after Escape and after the display failed.
extern Viewer* theViewer;
// Non-zero while the screen shows an up-to-date frame.
extern std::int32_t frameIsCurrent;
// Non-zero while the left button is down.
extern std::int32_t dragging;
// The one message buffer of runMessageLoop.
extern MSG messageRecord;

// Registers the class, creates and shows the window, builds the scene, then
// creates the Viewer, which takes the display: the whole screen, or with
// `windowed` a resizable window.
void startUp(HINSTANCE instance, int showCommand, bool windowed = false);
// Dispatches messages until the quit message (or a destroyed window), and
// draws a plain frame whenever the queue is empty and the screen is stale.
void runMessageLoop();
// Nothing: the Viewer goes on Escape and the scene at process end.
void shutDown();
LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// If theViewer exists but is no longer complete, deletes it (which restores
// the display), clears theViewer and posts the quit message with
// kDisplayFailedStatus, so that nothing draws with it again.
void endIfDisplayFailed();
// Names the reason on stderr, deletes theViewer (restoring the display) and
// posts the quit message with kDisplayFailedStatus.
void endProgram(const char* reason);

// Deletes the Viewer and the scene and returns every piece of the program's
// own state (the globals above, the construction steps, the replay, the
// scene file's framing) to what a new process starts with, so that WinMain
// can run again in the same process as tests and benchmarks do. The
// platform's windows, queue and DirectDraw objects are the platform's to
// reset.
void resetProgramState();

#endif
