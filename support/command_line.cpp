#include "support/command_line.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>

namespace support {
namespace {

constexpr std::size_t kHelpColumn = 24;
constexpr std::size_t kLineWidth = 92;

std::string quoted(const std::string& text) { return "'" + text + "'"; }

}  // namespace

long long parseWhole(const std::string& text, long long low, long long high, const std::string& what) {
  const std::string range = " is not a whole number from " + std::to_string(low) + " to " + std::to_string(high);
  if (text.empty() || std::strchr("+-0123456789", text[0]) == nullptr) throw UsageError(what + ": " + quoted(text) + range);
  errno = 0;
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value < low || value > high) throw UsageError(what + ": " + quoted(text) + range);
  return value;
}

double parseReal(const std::string& text, double low, double high, const std::string& what) {
  char* end = nullptr;
  const double value = text.empty() || std::isspace(static_cast<unsigned char>(text[0])) ? NAN
                                                                                          : std::strtod(text.c_str(), &end);
  if (end == nullptr || *end != '\0' || !std::isfinite(value) || value < low || value > high) {
    throw UsageError(what + ": " + quoted(text) + " is not a number from " + formatReal(low) + " to " +
                     formatReal(high));
  }
  return value;
}

std::string formatReal(double n) {
  std::ostringstream out;
  out << n;
  return out.str();
}

CommandLine::CommandLine(std::string program, std::string synopsis, std::string about)
    : program_(std::move(program)), synopsis_(std::move(synopsis)), about_(std::move(about)) {}

CommandLine& CommandLine::flag(const std::string& name, const std::string& help, std::function<void()> seen) {
  entries_.push_back({name, "", help, [seen](const std::string&) { seen(); }});
  return *this;
}

CommandLine& CommandLine::flag(const std::string& name, const std::string& help, bool& target) {
  return flag(name, help, [&target] { target = true; });
}

CommandLine& CommandLine::option(const std::string& name, const std::string& valueName, const std::string& help,
                                 Action take) {
  entries_.push_back({name, valueName, help, std::move(take)});
  return *this;
}

CommandLine& CommandLine::option(const std::string& name, const std::string& valueName, const std::string& help,
                                 std::string& target) {
  return option(name, valueName, help, [&target](const std::string& value) { target = value; });
}

CommandLine& CommandLine::operands(const std::string& valueName, const std::string& help, Action take, int least) {
  operands_ = {"", valueName, help, std::move(take)};
  leastOperands_ = least;
  return *this;
}

const CommandLine::Entry* CommandLine::find(const std::string& name) const {
  for (const Entry& entry : entries_) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

void CommandLine::operand(const std::string& text) {
  if (!operands_.take) throw UsageError("unexpected argument " + quoted(text));
  ++operandCount_;
  operands_.take(text);
}

// One argument at i, and its value when it takes the next one.
void CommandLine::apply(int& i, int argc, const char* const* argv) {
  const std::string arg = argv[i];
  const std::size_t equals = arg.find('=');
  const std::string name = arg.substr(0, equals);
  const Entry* entry = find(name);
  if (entry == nullptr) throw UsageError("unknown option " + quoted(name));
  if (entry->valueName.empty()) {
    if (equals != std::string::npos) throw UsageError(name + " takes no value");
    entry->take("");
    return;
  }
  std::string value;
  if (equals != std::string::npos) {
    value = arg.substr(equals + 1);
  } else if (i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0) {
    value = argv[++i];
  }
  if (value.empty()) throw UsageError(name + " needs a value " + entry->valueName);
  try {
    entry->take(value);
  } catch (const UsageError& e) {
    const std::string what = e.what();
    throw UsageError(what.rfind(name, 0) == 0 ? what : name + ": " + what);
  }
}

std::optional<int> CommandLine::parse(int argc, const char* const* argv) {
  try {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
      const std::string arg = argv[i];
      if (optionsEnded || arg == "-" || arg[0] != '-') {
        operand(arg);
      } else if (arg == "--") {
        optionsEnded = true;
      } else if (arg == "-h" || arg == "--help") {
        std::fputs(usage().c_str(), stdout);
        return kExitDone;
      } else {
        apply(i, argc, argv);
      }
    }
    if (operandCount_ < leastOperands_) throw UsageError("no " + operands_.valueName + " given");
  } catch (const UsageError& e) {
    return usageError(e.what());
  }
  return std::nullopt;
}

int CommandLine::usageError(const std::string& message) const {
  std::fprintf(stderr, "%s: %s (try %s --help)\n", program_.c_str(), message.c_str(), program_.c_str());
  return kExitUsage;
}

std::string CommandLine::usage() const {
  std::string text = "usage: " + program_ + " " + synopsis_ + "\n";
  // Help in a column of its own, wrapped at word boundaries.
  auto line = [&text](const std::string& left, const std::string& help) {
    std::string row = "  " + left;
    row += row.size() + 2 <= kHelpColumn ? std::string(kHelpColumn - row.size(), ' ') : "\n" + std::string(kHelpColumn, ' ');
    std::size_t width = kHelpColumn;
    for (std::size_t at = 0; at < help.size();) {
      std::size_t next = help.find(' ', at);
      if (next == std::string::npos) next = help.size();
      if (width > kHelpColumn && width + 1 + (next - at) > kLineWidth) {
        row += "\n" + std::string(kHelpColumn, ' ');
        width = kHelpColumn;
      } else if (width > kHelpColumn) {
        row += ' ';
        ++width;
      }
      row += help.substr(at, next - at);
      width += next - at;
      at = next + 1;
    }
    text += row + "\n";
  };
  if (operands_.take) line(operands_.valueName, operands_.help);
  for (const Entry& entry : entries_) {
    line(entry.valueName.empty() ? entry.name : entry.name + " " + entry.valueName, entry.help);
  }
  line("-h, --help", "print this help and exit");
  if (operands_.take) line("--", "ends the options: every argument after it is a " + operands_.valueName);
  if (!about_.empty()) text += about_;
  return text;
}

int finishOutput(const std::string& program, int status) {
  std::cout.flush();
  const bool lost = !std::cout.good() || std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
  if (!lost) return status;
  std::fprintf(stderr, "%s: cannot write the output: %s\n", program.c_str(),
               errno != 0 ? std::strerror(errno) : "write error");
  return status == kExitDone ? kExitFailed : status;
}

}  // namespace support
