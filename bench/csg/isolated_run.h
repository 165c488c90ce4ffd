// Runs one piece of work in a child process, on a thread with a stack of a
// chosen size, so that what the work cannot survive (a tree deeper than any
// stack, the system stopping at one of its limits, a run that never ends)
// costs that one piece of work and not the program that asked for it.
#ifndef KELVANE_BENCH_CSG_ISOLATED_RUN_H
#define KELVANE_BENCH_CSG_ISOLATED_RUN_H

#include <cstddef>
#include <functional>
#include <string>

struct IsolatedOutcome {
  enum Status { Finished, StackOverflow, Stopped, TimedOut, Crashed };
  Status status = Crashed;
  std::string output;  // what the work returned, when it finished
  std::string detail;  // otherwise why not, with the last thing it said on stderr
};

// Calls work() in a child and waits at most timeoutSeconds for it. What the
// child writes to stderr is passed on to ours.
IsolatedOutcome runIsolated(const std::function<std::string()>& work, std::size_t stackBytes,
                            double timeoutSeconds);

#endif
