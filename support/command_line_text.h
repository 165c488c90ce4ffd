// A command line as one string, the way Windows hands it to WinMain: the
// arguments after the program's name, separated by blanks, an argument
// with a blank or a quote in it wrapped in double quotes. Backslashes are
// literal except before a quote: 2n of them and a quote are n backslashes
// and a quoting quote, 2n + 1 and a quote are n backslashes and a literal
// quote (the C runtime's rules, which every Windows program splits by).
#ifndef KELVANE_SUPPORT_COMMAND_LINE_TEXT_H
#define KELVANE_SUPPORT_COMMAND_LINE_TEXT_H

#include <string>
#include <vector>

namespace support {

// argv[1..argc) as one line that splitArguments gives back unchanged.
std::string joinArguments(int argc, const char* const* argv);

// The arguments of line, by the rules above.
std::vector<std::string> splitArguments(const std::string& line);

}  // namespace support

#endif
