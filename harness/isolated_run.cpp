// The child runs the work on a thread whose stack we map ourselves, below a
// guard region: a fault inside the guard is a stack overflow, told apart
// from other faults by a handler on an alternate signal stack. The parent
// reads the child's result and stderr through two pipes with a deadline, and
// reads how the child ended from its wait status.
#include "harness/isolated_run.h"

#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <exception>
#include <vector>

namespace {

constexpr std::size_t kGuardBytes = 1 << 20;
constexpr int kOverflowStatus = 71;
constexpr int kThrewStatus = 72;
constexpr int kSetUpStatus = 73;

char* guardLow = nullptr;
char* guardHigh = nullptr;

void writeAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
}

void onFault(int signal, siginfo_t* info, void*) {
  char* address = static_cast<char*>(info->si_addr);
  if (address >= guardLow && address < guardHigh) {
    static const char kMessage[] = "stack overflow\n";
    writeAll(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    _exit(kOverflowStatus);
  }
  // Any other fault is reported as the crash it is.
  ::signal(signal, SIG_DFL);
}

struct Job {
  const std::function<std::string()>* work;
  std::string output;
  int status = 0;
};

void* runJob(void* arg) {
  // The thread's own alternate stack goes back in place before the thread
  // ends: a sanitizer runtime frees what it believes it set up there.
  static char alternate[1 << 16];
  stack_t altStack{};
  altStack.ss_sp = alternate;
  altStack.ss_size = sizeof alternate;
  stack_t previous{};
  sigaltstack(&altStack, &previous);
  auto* job = static_cast<Job*>(arg);
  try {
    job->output = (*job->work)();
  } catch (const std::exception& e) {
    job->output = e.what();
    job->status = kThrewStatus;
  }
  sigaltstack(&previous, nullptr);
  return nullptr;
}

[[noreturn]] void childMain(const std::function<std::string()>& work, std::size_t stackBytes, int resultFd) {
  void* mapped = mmap(nullptr, stackBytes + kGuardBytes, PROT_READ | PROT_WRITE,
                      MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (mapped == MAP_FAILED) _exit(kSetUpStatus);
  guardLow = static_cast<char*>(mapped);
  guardHigh = guardLow + kGuardBytes;
  mprotect(guardLow, kGuardBytes, PROT_NONE);

  struct sigaction action {};
  action.sa_sigaction = onFault;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigaction(SIGSEGV, &action, nullptr);
  sigaction(SIGBUS, &action, nullptr);

  Job job{&work, {}, 0};
  pthread_attr_t attributes;
  pthread_t thread;
  if (pthread_attr_init(&attributes) != 0 || pthread_attr_setstack(&attributes, guardHigh, stackBytes) != 0 ||
      pthread_create(&thread, &attributes, runJob, &job) != 0) {
    _exit(kSetUpStatus);
  }
  pthread_join(thread, nullptr);
  writeAll(resultFd, job.output.data(), job.output.size());
  close(resultFd);
  _exit(job.status);
}

IsolatedOutcome judge(int waitStatus, std::string output, const std::string& errors, std::size_t stackBytes) {
  IsolatedOutcome outcome;
  const std::string said = lastLine(errors);
  if (WIFEXITED(waitStatus)) {
    switch (WEXITSTATUS(waitStatus)) {
      case 0:
        outcome.status = IsolatedOutcome::Finished;
        outcome.output = std::move(output);
        return outcome;
      case kOverflowStatus:
        outcome.status = IsolatedOutcome::StackOverflow;
        outcome.detail = "the tree grew too deep for a stack of " + std::to_string(stackBytes >> 20) + " MiB";
        return outcome;
      case kThrewStatus:
        outcome.status = IsolatedOutcome::Crashed;
        outcome.detail = "the run failed: " + output;
        return outcome;
      case kSetUpStatus:
        outcome.status = IsolatedOutcome::Crashed;
        outcome.detail = "could not set up a stack of " + std::to_string(stackBytes >> 20) + " MiB";
        return outcome;
      default:
        break;
    }
    outcome.detail = "the run ended with status " + std::to_string(WEXITSTATUS(waitStatus));
  } else if (WIFSIGNALED(waitStatus)) {
    // The core ends the program itself, with a message, at a broken limit.
    if (WTERMSIG(waitStatus) == SIGABRT && said.rfind("kelvane: ", 0) == 0) {
      outcome.status = IsolatedOutcome::Stopped;
      outcome.detail = "the system stopped at one of its limits: " + said.substr(9);
      return outcome;
    }
    outcome.detail = std::string("the run died of signal ") + strsignal(WTERMSIG(waitStatus));
  }
  if (!said.empty()) outcome.detail += " (" + said + ")";
  outcome.status = IsolatedOutcome::Crashed;
  return outcome;
}

}  // namespace

std::string lastLine(const std::string& text) {
  const std::size_t end = text.find_last_not_of('\n');
  if (end == std::string::npos) return std::string();
  const std::size_t newline = text.find_last_of('\n', end);
  const std::size_t start = newline == std::string::npos ? 0 : newline + 1;
  return text.substr(start, end + 1 - start);
}

IsolatedOutcome runIsolated(const std::function<std::string()>& work, std::size_t stackBytes,
                            double timeoutSeconds, bool echo) {
  int result[2];
  int errors[2];
  if (pipe(result) != 0) return {IsolatedOutcome::Crashed, {}, "cannot make a pipe", {}};
  if (pipe(errors) != 0) {
    close(result[0]);
    close(result[1]);
    return {IsolatedOutcome::Crashed, {}, "cannot make a pipe", {}};
  }
  const pid_t child = fork();
  if (child == 0) {
    close(result[0]);
    close(errors[0]);
    dup2(errors[1], STDERR_FILENO);
    close(errors[1]);
    childMain(work, stackBytes, result[1]);
  }
  close(result[1]);
  close(errors[1]);
  if (child < 0) {
    close(result[0]);
    close(errors[0]);
    return {IsolatedOutcome::Crashed, {}, "cannot start a child process", {}};
  }

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
  std::string texts[2];
  pollfd fds[2] = {{result[0], POLLIN, 0}, {errors[0], POLLIN, 0}};
  int open = 2;
  bool timedOut = false;
  while (open > 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      timedOut = true;
      break;
    }
    const int ready = poll(fds, 2, static_cast<int>(left.count()));
    if (ready < 0 && errno != EINTR) break;
    for (int i = 0; i < 2 && ready > 0; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        texts[i].append(buffer, static_cast<std::size_t>(n));
        if (i == 1 && echo) writeAll(STDERR_FILENO, buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  for (pollfd& fd : fds) {
    if (fd.fd >= 0) close(fd.fd);
  }
  if (timedOut) kill(child, SIGKILL);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  IsolatedOutcome outcome =
      timedOut ? IsolatedOutcome{IsolatedOutcome::TimedOut, {},
                                 "no result within " + std::to_string(static_cast<long>(timeoutSeconds)) + " s", {}}
               : judge(status, std::move(texts[0]), texts[1], stackBytes);
  outcome.errors = std::move(texts[1]);
  if (!timedOut && WIFEXITED(status)) outcome.exitStatus = WEXITSTATUS(status);
  return outcome;
}
