// A command line run through the shell, as a user would run it: its exit
// status (-1 when it did not exit) and what it wrote to stdout; redirect
// stderr in the command to see it too.
#ifndef KELVANE_TESTS_SUPPORT_RUN_COMMAND_H
#define KELVANE_TESTS_SUPPORT_RUN_COMMAND_H

#include <sys/wait.h>

#include <cstdio>
#include <string>

struct CommandRun {
  int status = -1;
  std::string output;
};

inline CommandRun runCommand(const std::string& command) {
  CommandRun run;
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[512];
  while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) run.output += buffer;
  const int raw = pipe != nullptr ? pclose(pipe) : -1;
  run.status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

#endif
