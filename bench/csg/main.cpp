// kelvane-csg-bench: times the system's CSG on the shared workload files and
// prints one TSV row per workload, in the columns every peer's bench uses,
// followed by the tree depth, the result's volume, the peak memory of a run
// beside what the input and output polygons take, the file it came from and
// a note; tabs, line breaks and backslashes in names are written as \t, \n,
// \r and \\.
//
//   kelvane-csg-bench [options] WORKLOAD.json...
//
// Each workload runs in a child process (isolated_run.h): a workload that
// overflows the stack, reaches one of the system's limits or runs too long
// is reported in its row and the bench goes on. A file that cannot be read
// or is not a well-formed workload is named on stderr with the line and
// column of the fault, and makes the exit status 1.
#include <cstdio>
#include <string>
#include <vector>

#include "harness/isolated_run.h"
#include "bench/csg/measurement.h"
#include "harness/workload.h"
#include "support/command_line.h"

namespace {

struct Options {
  RepetitionPolicy policy;
  double timeoutSeconds = 600.0;
  std::size_t stackMib = 1024;
  bool noHeader = false;
  std::vector<std::string> files;
};

support::CommandLine commandLine(Options& o) {
  support::CommandLine line("kelvane-csg-bench", "[options] WORKLOAD.json...");
  line.operands("WORKLOAD.json", "a workload file; one row each",
                [&o](const std::string& file) { o.files.push_back(file); }, 1)
      .option("--min-reps", "N", "runs at least N times (default 3)", std::size_t{1}, std::size_t{1000000000},
              o.policy.minReps)
      .option("--max-reps", "N", "runs at most N times (default 1000)", std::size_t{1}, std::size_t{1000000000},
              o.policy.maxReps)
      .option("--min-time", "SEC", "repeats until the operations took SEC in all (default 0.5)", 0.0, 1e9,
              o.policy.minSeconds)
      .option("--max-time", "SEC", "starts no run after SEC of wall time (default 60)", 0.0, 1e9,
              o.policy.maxSeconds)
      .option("--timeout", "SEC", "gives up on a workload after SEC (default 600)", 0.001, 1e9, o.timeoutSeconds)
      .option("--stack-mib", "N", "stack of the thread that runs the operations (default 1024)", std::size_t{1},
              std::size_t{1} << 20, o.stackMib)
      .flag("--no-header", "leaves out the header row", o.noHeader);
  return line;
}

// A TSV field: the characters that would end a field or a row, and the
// backslash that introduces their escapes, written as escapes.
std::string field(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
  return out;
}

void printRow(const Workload& workload, const std::string& file, const std::string& figures,
              const std::string& note) {
  std::printf("%s\tkelvane\t%s\t%s\t%s\n", field(workload.name).c_str(), figures.c_str(), field(file).c_str(),
              field(note).c_str());
  std::fflush(stdout);
}

// Returns false when the workload could not be measured for a fault of the
// bench or the system rather than a limit.
bool benchOne(const Workload& workload, const std::string& file, const Options& o) {
  static const std::string kNoFigures = "-\t-\t-\t-\t-\t-\t-\t-";
  const LimitCheck limits = checkLimits(workload);
  if (!limits.refusal.empty()) {
    std::fprintf(stderr, "kelvane-csg-bench: %s: skipped: %s\n", file.c_str(), limits.refusal.c_str());
    printRow(workload, file, kNoFigures, "skipped: " + limits.refusal);
    return true;
  }
  const IsolatedOutcome outcome =
      runIsolated([&] { return encode(measure(workload, o.policy)); }, o.stackMib << 20, o.timeoutSeconds);
  Measurement m;
  if (outcome.status == IsolatedOutcome::Finished && decode(outcome.output, m)) {
    printRow(workload, file, encode(m), limits.note);
    return true;
  }
  const std::string why = outcome.status == IsolatedOutcome::Finished ? "unreadable result" : outcome.detail;
  std::fprintf(stderr, "kelvane-csg-bench: %s: not measured: %s\n", file.c_str(), why.c_str());
  printRow(workload, file, kNoFigures, "not measured: " + why);
  return outcome.status == IsolatedOutcome::StackOverflow || outcome.status == IsolatedOutcome::Stopped;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  support::CommandLine line = commandLine(o);
  if (const auto end = line.parse(argc, argv)) return support::finishOutput(line.program(), *end);
  if (!o.noHeader) {
    std::printf("workload\tpeer\tmedian_ms\tmin_ms\toutput_polygon_count\treps\ttree_depth\tvolume\tpeak_kib\tpolygon_kib\tfile\tnote\n");
  }
  int status = support::kExitDone;
  for (const std::string& file : o.files) {
    try {
      if (!benchOne(loadWorkload(file), file, o)) status = support::kExitFailed;
    } catch (const InputError& e) {
      std::fprintf(stderr, "kelvane-csg-bench: %s:%s\n", file.c_str(), e.what());
      status = support::kExitFailed;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "kelvane-csg-bench: %s\n", e.what());
      status = support::kExitFailed;
    }
  }
  return support::finishOutput(line.program(), status);
}
