// kelvane-faults: every platform call the program makes, failed in turn.
//
//   kelvane-faults [--timeout=SEC]
//   kelvane-faults --show=CALL:NTH[:persistent]
//
// A run of a short session (a drag, focus lost and regained, surfaces lost,
// Escape) on the headless host without faults names the calls the program
// makes and how often, and is judged like every other run. Then, for each
// call, a fresh run in a child process fails its
// first use, a use half-way through the session when there is more than
// one, and every use from the first on (a persistent error). A run must
// not crash, must not hang, must never hand a drawing call a device context
// that does not exist (a missing surface), and when it does not end by
// Escape it must say why on stderr; a program still waiting for input when
// the script is used up is ended by the host, which says so. Prints a table
// of call against outcome
// and exits 1 when any run broke one of these rules. --show runs one fault
// and prints the calls the program made, to see what a row of the table
// stands for; a call the session never makes, or a use beyond its count,
// is refused rather than run without a fault.
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "harness/isolated_run.h"
#include "platform/trace/trace.h"
#include "platform/user/user.h"
#include "platform/win32.h"
#include "stress/script_steps.h"
#include "support/command_line.h"

namespace {

using platform::InputEvent;

constexpr int kNormalEnd = 1;
constexpr std::size_t kChildStack = 64u << 20;

std::vector<platform::ScriptStep> session() {
  return {inputStep(InputEvent::LeftDown, 320, 240), inputStep(InputEvent::MouseMove, 350, 260),
          inputStep(InputEvent::MouseMove, 380, 300), inputStep(InputEvent::LeftUp, 380, 300),
          inputStep(InputEvent::Deactivate),          inputStep(InputEvent::Activate),
          loseSurfacesStep(),                         inputStep(InputEvent::MouseMove, 10, 10),
          inputStep(InputEvent::LeftDown, 100, 100),  inputStep(InputEvent::MouseMove, 120, 90),
          inputStep(InputEvent::LeftUp, 120, 90),     inputStep(InputEvent::KeyDown, 0, 0, VK_ESCAPE)};
}

struct Fault {
  std::string call;
  int nth;
  bool persistent;
};

struct RunReport {
  int status = 0;
  int frames = 0;
  int missingSurfaceDraws = 0;
  std::map<std::string, int> calls;
};

bool drawsOnDc(const std::string& name) {
  static const char* const kDrawing[] = {"MoveToEx", "LineTo", "Polygon", "Ellipse", "SelectObject"};
  for (const char* d : kDrawing) {
    if (name == d) return true;
  }
  return false;
}

// The log holds "Name(args)"; a drawing call's first argument names its
// device context as dcN while it exists, and otherwise as NULL or a number.
RunReport runSession(const Fault* fault, bool print = false) {
  auto owned = std::make_unique<platform::HeadlessHost>(session());
  platform::HeadlessHost& host = *owned;
  host.keepAllFrames(false);
  platform::setCallLogging(true);
  if (fault != nullptr) platform::failCall(fault->call, fault->nth, fault->persistent);
  RunReport report;
  report.status = runProgram(std::move(owned));
  report.frames = host.frameCount();
  for (const std::string& entry : platform::callLog()) {
    if (print) std::printf("%s\n", entry.c_str());
    const std::size_t open = entry.find('(');
    const std::string name = entry.substr(0, open);
    ++report.calls[name];
    if (drawsOnDc(name) && open != std::string::npos && entry.compare(open + 1, 2, "dc") != 0) {
      ++report.missingSurfaceDraws;
    }
  }
  return report;
}

std::string encode(const RunReport& r) {
  std::ostringstream out;
  out << r.status << ' ' << r.frames << ' ' << r.missingSurfaceDraws;
  for (const auto& [name, count] : r.calls) out << ' ' << name << ' ' << count;
  return out.str();
}

RunReport decode(const std::string& text) {
  std::istringstream in(text);
  RunReport r;
  in >> r.status >> r.frames >> r.missingSurfaceDraws;
  std::string name;
  int count = 0;
  while (in >> name >> count) r.calls[name] = count;
  return r;
}

struct Verdict {
  bool ok;
  std::string outcome;
};

Verdict judge(const IsolatedOutcome& o, const RunReport& r) {
  if (o.status == IsolatedOutcome::TimedOut) return {false, "HANG"};
  // The headless host ends a program that waits for input after the script
  // is used up, saying so: the session's Escape never took effect.
  if (o.exitStatus == platform::kExitNoMoreInput) return {true, "still waiting for input after Escape"};
  if (o.status != IsolatedOutcome::Finished) return {false, "CRASH: " + o.detail};
  if (r.missingSurfaceDraws > 0) {
    return {false, "drew into a missing surface (" + std::to_string(r.missingSurfaceDraws) + " calls without a DC)"};
  }
  if (r.status == kNormalEnd) return {true, "ran to Escape"};
  if (lastLine(o.errors).empty()) return {false, "stopped silently with status " + std::to_string(r.status)};
  return {true, "stopped with status " + std::to_string(r.status)};
}

std::vector<Fault> faultsFor(const std::map<std::string, int>& calls) {
  std::vector<Fault> faults;
  for (const auto& [name, count] : calls) {
    faults.push_back({name, 1, false});
    if (count > 2) faults.push_back({name, (count + 1) / 2, false});
    faults.push_back({name, 1, true});
  }
  return faults;
}

// "CALL:NTH" or "CALL:NTH:persistent".
Fault parseFault(const std::string& text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos || colon == 0) throw support::UsageError("'" + text + "' is not CALL:NTH[:persistent]");
  Fault fault{text.substr(0, colon), 0, false};
  std::string nth = text.substr(colon + 1);
  const std::size_t second = nth.find(':');
  if (second != std::string::npos) {
    if (nth.substr(second + 1) != "persistent") throw support::UsageError("'" + text + "' is not CALL:NTH[:persistent]");
    fault.persistent = true;
    nth.resize(second);
  }
  fault.nth = static_cast<int>(support::parseWhole(nth, 1, 1000000, "NTH"));
  return fault;
}

// Why `fault` can never happen in the session, or nothing when it can.
std::string unmadeCall(const Fault& fault, const std::map<std::string, int>& calls) {
  const auto made = calls.find(fault.call);
  if (made == calls.end()) return "the session makes no call " + fault.call;
  if (fault.nth > made->second) {
    return "the session calls " + fault.call + " " + std::to_string(made->second) + " times; there is no call number " +
           std::to_string(fault.nth);
  }
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  double timeout = 5.0;
  std::string show;
  support::CommandLine line("kelvane-faults", "[--timeout=SEC] [--show=CALL:NTH[:persistent]]");
  line.option("--timeout", "SEC", "gives up on a run after SEC (default 5)", 0.001, 3600.0, timeout)
      .option("--show", "CALL:NTH[:persistent]",
              "runs the one fault and prints the calls the program made, instead of the table", show);
  if (const auto end = line.parse(argc, argv)) return support::finishOutput(line.program(), *end);
  std::optional<Fault> shown;
  try {
    if (!show.empty()) shown = parseFault(show);
  } catch (const support::UsageError& e) {
    return line.usageError("--show: " + std::string(e.what()));
  }

  const IsolatedOutcome clean = runIsolated([] { return encode(runSession(nullptr)); }, kChildStack, timeout, false);
  const RunReport baseline = decode(clean.output);
  if (clean.status != IsolatedOutcome::Finished || baseline.status != kNormalEnd) {
    std::fprintf(stderr, "kelvane-faults: the session does not run cleanly without faults: %s%s\n",
                 clean.detail.c_str(), lastLine(clean.errors).c_str());
    return support::kExitFailed;
  }
  if (shown) {
    if (const std::string why = unmadeCall(*shown, baseline.calls); !why.empty()) return line.usageError("--show: " + why);
    const RunReport r = runSession(&*shown, true);
    std::printf("exit status %d after %d frames\n", r.status, r.frames);
    return support::finishOutput(line.program(), support::kExitDone);
  }
  std::printf("call\tnth\tpersistent\texit_status\tframes\toutcome\tmessage\n");
  int broken = 0;
  auto row = [&broken](const Fault& f, const IsolatedOutcome& o) {
    const RunReport r = decode(o.output);
    const Verdict v = judge(o, r);
    broken += v.ok ? 0 : 1;
    const bool finished = o.status == IsolatedOutcome::Finished;
    const std::string nth = f.nth > 0 ? std::to_string(f.nth) : "-";
    std::printf("%s\t%s\t%s\t%s\t%s\t%s%s\t%s\n", f.call.c_str(), nth.c_str(), f.persistent ? "yes" : "no",
                finished ? std::to_string(r.status).c_str() : "-", finished ? std::to_string(r.frames).c_str() : "-",
                v.ok ? "" : "FAULT: ", v.outcome.c_str(), lastLine(o.errors).c_str());
    std::fflush(stdout);
  };
  row(Fault{"(none)", 0, false}, clean);
  for (const Fault& f : faultsFor(baseline.calls)) {
    row(f, runIsolated([&f] { return encode(runSession(&f)); }, kChildStack, timeout, false));
  }
  std::fprintf(stderr, "kelvane-faults: %d runs broke a rule\n", broken);
  return support::finishOutput(line.program(), broken == 0 ? support::kExitDone : support::kExitFailed);
}
