// The one way every Kelvane program takes its command line. Options are
// declared one line each, with the help text the usage shows; parsing walks
// argv once and hands each option to its action in command-line order, so
// that a program can treat options as a sequence of steps.
//
// Accepted forms: --name=VALUE and --name VALUE for options with a value,
// --name for switches, -h and --help, and operands (anything else, "-"
// included). "--" ends the options: what follows is operands only. A bad
// command line is one line on stderr ending in "(try PROGRAM --help)".
#ifndef KELVANE_SUPPORT_COMMAND_LINE_H
#define KELVANE_SUPPORT_COMMAND_LINE_H

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

namespace support {

// The exit statuses of every program.
constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// A command line that cannot be followed. The message names the argument.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A whole number in [low, high], nothing else; throws UsageError naming
// `what` and the range.
long long parseWhole(const std::string& text, long long low, long long high, const std::string& what);
// A finite decimal number in [low, high]; throws like parseWhole.
double parseReal(const std::string& text, double low, double high, const std::string& what);
// A number as the usage and the messages show it: shortest form, no trailing zeros.
std::string formatReal(double n);

class CommandLine {
 public:
  using Action = std::function<void(const std::string& value)>;

  // `synopsis` follows the program's name on the usage line; `about` ends
  // the usage, after the options.
  CommandLine(std::string program, std::string synopsis, std::string about = "");

  // A switch: `seen` runs each time it is given.
  CommandLine& flag(const std::string& name, const std::string& help, std::function<void()> seen);
  CommandLine& flag(const std::string& name, const std::string& help, bool& target);
  // An option with a value: `take` runs with each value given, and may throw
  // UsageError, which is reported with the option's name in front.
  CommandLine& option(const std::string& name, const std::string& valueName, const std::string& help, Action take);
  CommandLine& option(const std::string& name, const std::string& valueName, const std::string& help,
                      std::string& target);
  // A number in [low, high]; the usage states the range.
  template <class Number>
  CommandLine& option(const std::string& name, const std::string& valueName, const std::string& help, Number low,
                      Number high, Number& target) {
    static_assert(std::is_arithmetic_v<Number>, "a number option needs an arithmetic target");
    const std::string ranged = help + " [" + show(low) + ".." + show(high) + "]";
    return option(name, valueName, ranged, [=, &target](const std::string& text) {
      if constexpr (std::is_integral_v<Number>) {
        target = static_cast<Number>(parseWhole(text, static_cast<long long>(low), static_cast<long long>(high), name));
      } else {
        target = static_cast<Number>(parseReal(text, low, high, name));
      }
    });
  }
  // The operands, in order; fewer than `least` is a usage error.
  CommandLine& operands(const std::string& valueName, const std::string& help, Action take, int least = 0);

  // Parses argv[1..argc). Returns nothing when the program should go on;
  // otherwise the status to end with at once: kExitDone after printing the
  // usage for --help, kExitUsage after the one-line error on stderr.
  std::optional<int> parse(int argc, const char* const* argv);

  // For a fault found after parsing: the same one line as parse() gives, and
  // kExitUsage to end with.
  int usageError(const std::string& message) const;

  std::string usage() const;
  const std::string& program() const { return program_; }

 private:
  struct Entry {
    std::string name;
    std::string valueName;  // empty for a switch
    std::string help;
    Action take;
  };

  template <class Number>
  static std::string show(Number n) {
    if constexpr (std::is_integral_v<Number>) {
      return std::to_string(n);
    } else {
      return formatReal(n);
    }
  }
  const Entry* find(const std::string& name) const;
  void operand(const std::string& text);
  void apply(int& i, int argc, const char* const* argv);

  std::string program_;
  std::string synopsis_;
  std::string about_;
  std::vector<Entry> entries_;
  Entry operands_;
  int leastOperands_ = 0;
  int operandCount_ = 0;
};

// Flushes stdout and returns `status`, or kExitFailed after saying on
// stderr that the output was lost when any write to it failed. Every
// program ends through it.
int finishOutput(const std::string& program, int status);

}  // namespace support

#endif
