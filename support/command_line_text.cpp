#include "support/command_line_text.h"

namespace support {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

void quote(const std::string& arg, std::string& line) {
  if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos) {
    line += arg;
    return;
  }
  line += '"';
  std::size_t backslashes = 0;
  for (const char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes only count before a quote: there they are doubled, and
    // one more makes the quote literal.
    line.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    line += c;
    backslashes = 0;
  }
  line.append(2 * backslashes, '\\');  // they come before the closing quote
  line += '"';
}

}  // namespace

std::string joinArguments(int argc, const char* const* argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    quote(argv[i], line);
  }
  return line;
}

std::vector<std::string> splitArguments(const std::string& line) {
  std::vector<std::string> args;
  std::string arg;
  bool inArg = false, quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (isBlank(c) && !quoted) {
      if (inArg) args.push_back(arg);
      arg.clear();
      inArg = false;
      continue;
    }
    inArg = true;
    if (c == '\\') {
      std::size_t n = 0;
      while (i + n < line.size() && line[i + n] == '\\') ++n;
      const bool beforeQuote = i + n < line.size() && line[i + n] == '"';
      arg.append(beforeQuote ? n / 2 : n, '\\');
      i += n - 1;
      if (beforeQuote && n % 2 == 1) {
        arg += '"';
        ++i;
      }
    } else if (c == '"') {
      quoted = !quoted;
    } else {
      arg += c;
    }
  }
  if (inArg) args.push_back(arg);
  return args;
}

}  // namespace support
