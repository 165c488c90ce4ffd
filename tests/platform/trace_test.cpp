// The call log and fault injection by call name.
#include "platform/trace/trace.h"

#include <gtest/gtest.h>

namespace {

std::string outcomes(const char* name, int calls) {
  std::string failed;
  for (int i = 0; i < calls; ++i) failed += platform::traceCall(name) ? "F" : ".";
  return failed;
}

TEST(Trace, LogsOnlyWhileOnAndFailsTheNthCallOnceOrFromThenOn) {
  platform::clearTrace();
  platform::setCallLogging(true);
  platform::traceCall("Flip", "NULL, DDFLIP_WAIT");
  platform::setCallLogging(false);
  EXPECT_EQ(platform::callLog(), std::vector<std::string>{"Flip(NULL, DDFLIP_WAIT)"});
  platform::failCall("Blt", 3);
  platform::failCall("Blt", 7, true);
  platform::failCall("Flip", 2);
  platform::failCall("Flip", 0);  // taken as the next call
  EXPECT_EQ(outcomes("Blt", 8), "..F...FF");
  EXPECT_EQ(outcomes("Flip", 3), "FF.");
  platform::failCall("Flip", 1, true);
  platform::clearTrace();
  EXPECT_EQ(outcomes("Flip", 2), "..");
  EXPECT_EQ(outcomes("Blt", 1), ".");
  EXPECT_EQ(platform::callLog().size(), 0u);
}

// An injected fault runs the hook installed under its name, and only that
// one; a name nothing answers to reports that it was not injected.
TEST(Trace, InjectedFaultsRunTheHookInstalledUnderTheirName) {
  static int runs;  // a hook cannot capture: the suite may be repeated in one process
  runs = 0;
  EXPECT_FALSE(platform::injectFault("Nothing"));
  platform::setFaultHook("Count", [] { ++runs; });
  EXPECT_TRUE(platform::injectFault("Count"));
  EXPECT_TRUE(platform::injectFault("Count"));
  EXPECT_EQ(runs, 2);
  platform::clearTrace();  // forgets armed faults, not the hooks the APIs installed
  EXPECT_TRUE(platform::injectFault("Count"));
  EXPECT_EQ(runs, 3);
}

}  // namespace
