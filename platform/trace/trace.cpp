#include "platform/trace/trace.h"

#include <algorithm>
#include <map>

namespace platform {
namespace {

struct ArmedFault {
  std::string name;
  int callsToGo;  // the call that brings this to zero fails
  bool persistent;
};

bool logging = false;
std::vector<std::string> calls;
std::vector<ArmedFault> faults;

std::map<std::string, FaultHook>& faultHooks() {
  static std::map<std::string, FaultHook> hooks;
  return hooks;
}

void updateActive() { trace_detail::active = logging || !faults.empty(); }

}  // namespace

namespace trace_detail {

bool active = false;

void log(const char* name, const std::string& args) { calls.push_back(std::string(name) + "(" + args + ")"); }

bool isLogging() { return logging; }

bool fires(const char* name) {
  bool fail = false;
  for (ArmedFault& fault : faults) {
    if (fault.name != name) continue;
    if (fault.callsToGo > 0) --fault.callsToGo;
    if (fault.callsToGo == 0) fail = true;
  }
  faults.erase(std::remove_if(faults.begin(), faults.end(),
                              [](const ArmedFault& f) { return f.callsToGo == 0 && !f.persistent; }),
               faults.end());
  updateActive();
  return fail;
}

}  // namespace trace_detail

void failCall(const std::string& name, int nth, bool persistent) {
  faults.push_back({name, std::max(nth, 1), persistent});
  updateActive();
}

void setFaultHook(const std::string& name, FaultHook hook) { faultHooks()[name] = hook; }

bool injectFault(const std::string& name) {
  const auto found = faultHooks().find(name);
  if (found == faultHooks().end() || found->second == nullptr) return false;
  found->second();
  return true;
}

void setCallLogging(bool on) {
  logging = on;
  updateActive();
}

const std::vector<std::string>& callLog() { return calls; }

void clearTrace() {
  calls.clear();
  faults.clear();
  updateActive();
}

}  // namespace platform
