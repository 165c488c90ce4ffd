// kelvane-csg-bench: times the system's CSG on the shared workload files and
// prints one TSV row per workload, in the columns every peer's bench uses,
// followed by the tree depth, the result's volume, the peak memory of a run
// beside what the input and output polygons take, and a note.
//
//   kelvane-csg-bench [options] WORKLOAD.json...
//
// Each workload runs in a child process (isolated_run.h): a workload that
// overflows the stack, reaches one of the system's limits or runs too long
// is reported in its row and the bench goes on. A file that cannot be read
// or is not a well-formed workload is named on stderr with the line and
// column of the fault, and makes the exit status 1.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "harness/isolated_run.h"
#include "bench/csg/measurement.h"
#include "harness/workload.h"

namespace {

const char kUsage[] =
    "usage: kelvane-csg-bench [options] WORKLOAD.json...\n"
    "  --min-reps=N       runs at least N times (default 3)\n"
    "  --max-reps=N       runs at most N times (default 1000)\n"
    "  --min-time=SEC     repeats until the operations took SEC in all (default 0.5)\n"
    "  --max-time=SEC     starts no run after SEC of wall time (default 60)\n"
    "  --timeout=SEC      gives up on a workload after SEC (default 600)\n"
    "  --stack-mib=N      stack of the thread that runs the operations (default 1024)\n"
    "  --no-header        leaves out the header row\n";

struct Options {
  RepetitionPolicy policy;
  double timeoutSeconds = 600.0;
  std::size_t stackMib = 1024;
  bool header = true;
  std::vector<std::string> files;
};

bool numberOption(const char* arg, const char* name, double low, double& value) {
  const std::size_t n = std::strlen(name);
  if (std::strncmp(arg, name, n) != 0 || arg[n] != '=') return false;
  char* end = nullptr;
  value = std::strtod(arg + n + 1, &end);
  if (end == arg + n + 1 || *end != '\0' || !(value >= low) || value > 1e9) {
    std::fprintf(stderr, "kelvane-csg-bench: %s needs a number of at least %g\n%s", name, low, kUsage);
    std::exit(2);
  }
  return true;
}

Options parseOptions(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    double v = 0.0;
    if (numberOption(arg, "--min-reps", 1, v)) {
      o.policy.minReps = static_cast<std::size_t>(v);
    } else if (numberOption(arg, "--max-reps", 1, v)) {
      o.policy.maxReps = static_cast<std::size_t>(v);
    } else if (numberOption(arg, "--min-time", 0, v)) {
      o.policy.minSeconds = v;
    } else if (numberOption(arg, "--max-time", 0, v)) {
      o.policy.maxSeconds = v;
    } else if (numberOption(arg, "--timeout", 0.001, v)) {
      o.timeoutSeconds = v;
    } else if (numberOption(arg, "--stack-mib", 1, v)) {
      o.stackMib = static_cast<std::size_t>(v);
    } else if (std::strcmp(arg, "--no-header") == 0) {
      o.header = false;
    } else if (std::strcmp(arg, "--help") == 0) {
      std::fputs(kUsage, stdout);
      std::exit(0);
    } else if (arg[0] == '-' && arg[1] != '\0') {
      std::fprintf(stderr, "kelvane-csg-bench: unknown option %s\n%s", arg, kUsage);
      std::exit(2);
    } else {
      o.files.emplace_back(arg);
    }
  }
  if (o.files.empty()) {
    std::fprintf(stderr, "kelvane-csg-bench: no workload file given\n%s", kUsage);
    std::exit(2);
  }
  return o;
}

void printRow(const std::string& workload, const std::string& figures, const std::string& note) {
  std::printf("%s\tkelvane\t%s\t%s\n", workload.c_str(), figures.c_str(), note.c_str());
  std::fflush(stdout);
}

// Returns false when the workload could not be measured for a fault of the
// bench or the system rather than a limit.
bool benchOne(const Workload& workload, const Options& o) {
  static const std::string kNoFigures = "-\t-\t-\t-\t-\t-\t-\t-";
  const LimitCheck limits = checkLimits(workload);
  if (!limits.refusal.empty()) {
    std::fprintf(stderr, "kelvane-csg-bench: %s: skipped: %s\n", workload.name.c_str(), limits.refusal.c_str());
    printRow(workload.name, kNoFigures, "skipped: " + limits.refusal);
    return true;
  }
  const IsolatedOutcome outcome =
      runIsolated([&] { return encode(measure(workload, o.policy)); }, o.stackMib << 20, o.timeoutSeconds);
  Measurement m;
  if (outcome.status == IsolatedOutcome::Finished && decode(outcome.output, m)) {
    printRow(workload.name, encode(m), limits.note);
    return true;
  }
  const std::string why = outcome.status == IsolatedOutcome::Finished ? "unreadable result" : outcome.detail;
  std::fprintf(stderr, "kelvane-csg-bench: %s: not measured: %s\n", workload.name.c_str(), why.c_str());
  printRow(workload.name, kNoFigures, "not measured: " + why);
  return outcome.status == IsolatedOutcome::StackOverflow || outcome.status == IsolatedOutcome::Stopped;
}

}  // namespace

int main(int argc, char** argv) {
  const Options o = parseOptions(argc, argv);
  if (o.header) std::printf("workload\tpeer\tmedian_ms\tmin_ms\toutput_polygon_count\treps\ttree_depth\tvolume\tpeak_kib\tpolygon_kib\tnote\n");
  int status = 0;
  for (const std::string& file : o.files) {
    try {
      if (!benchOne(loadWorkload(file), o)) status = 1;
    } catch (const InputError& e) {
      std::fprintf(stderr, "kelvane-csg-bench: %s:%s\n", file.c_str(), e.what());
      status = 1;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "kelvane-csg-bench: %s\n", e.what());
      status = 1;
    }
  }
  return status;
}
