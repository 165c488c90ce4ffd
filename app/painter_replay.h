// The painter's replay: the current frame drawn again polygon by polygon in
// back-to-front order, at a steady rate, each new polygon outlined, until
// the plain frame stands again. The message loop advances it while no
// message waits; P pressed again (or held) steps one polygon at a time.
#ifndef KELVANE_APP_PAINTER_REPLAY_H
#define KELVANE_APP_PAINTER_REPLAY_H

#include "platform/win32.h"

// Rates the replay can run at, in polygons a second, and the first one.
constexpr int kReplayRates[] = {1, 2, 4, 8, 15, 30, 60};
constexpr int kDefaultReplayRate = 4;  // index: 15 a second

// Starts the replay with its first polygon; during a replay, stops the
// automatic advance and shows the next polygon.
void startOrStepReplay();
// Shows the next polygon, or the plain frame after the last one, which
// ends the replay.
void advanceReplay();
// Ends a replay at once; the next frame is plain again.
void cancelReplay();
// Moves the rate up (+1) or down (-1) the table, and resumes the automatic
// advance of a replay that was stepped by hand.
void changeReplayRate(int direction);

// True while the loop should advance the replay on its own.
bool replayRunning();
// Milliseconds between two polygons at the current rate.
DWORD replayInterval();
int replayRateIndex();
// No replay, at the first rate (resetProgramState).
void resetReplay();

#endif
