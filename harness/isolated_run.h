// Runs one piece of work in a child process, on a thread with a stack of a
// chosen size, so that what the work cannot survive (a tree deeper than any
// stack, the system stopping at one of its limits, a run that never ends)
// costs that one piece of work and not the program that asked for it.
#ifndef KELVANE_HARNESS_ISOLATED_RUN_H
#define KELVANE_HARNESS_ISOLATED_RUN_H

#include <cstddef>
#include <functional>
#include <string>

struct IsolatedOutcome {
  enum Status { Finished, StackOverflow, Stopped, TimedOut, Crashed };
  Status status = Crashed;
  std::string output;  // what the work returned, when it finished
  std::string detail;  // otherwise why not, with the last thing it said on stderr
  std::string errors;  // everything the child wrote to stderr
  int exitStatus = -1;  // the child's exit status, when it exited
};

// Calls work() in a child and waits at most timeoutSeconds for it. What the
// child writes to stderr is kept in the outcome and, when echo is set,
// passed on to ours as it comes.
IsolatedOutcome runIsolated(const std::function<std::string()>& work, std::size_t stackBytes,
                            double timeoutSeconds, bool echo = true);

// The last non-empty line of a text, without its newline: what a failing
// program said last.
std::string lastLine(const std::string& text);

#endif
