// The platform's test instrument: a log of the calls the program made, with
// their arguments, and fault injection by call name. Every entry point of
// the subset reports itself here first; tests read the log and arm faults.
#ifndef KELVANE_PLATFORM_TRACE_H
#define KELVANE_PLATFORM_TRACE_H

#include <string>
#include <vector>

namespace platform {

// Records "Name(args)" when logging is on and tells whether this call must
// fail. Entry points then return the failure result the real call gives.
bool traceCall(const char* name, const std::string& args = std::string());

// The n-th call of `name` from now on (1 = the next one) fails; with
// `persistent`, that call and every later one fail.
void failCall(const std::string& name, int nth = 1, bool persistent = false);

void setCallLogging(bool on);
const std::vector<std::string>& callLog();
void clearTrace();  // forgets the log and every armed fault

}  // namespace platform

#endif
