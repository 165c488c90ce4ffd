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
  platform::setCallLogging(true);
  platform::traceCall("Flip", "NULL, DDFLIP_WAIT");
  platform::setCallLogging(false);
  EXPECT_EQ(platform::callLog(), std::vector<std::string>{"Flip(NULL, DDFLIP_WAIT)"});
  platform::failCall("Blt", 3);
  platform::failCall("Blt", 7, true);
  platform::failCall("Flip", 2);
  platform::failCall("Flip", 0);  // taken as the next call
  EXPECT_EQ(outcomes("Blt", 8) + "|" + outcomes("Flip", 3), "..F...FF|FF.");
  platform::failCall("Flip", 1, true);
  platform::clearTrace();
  EXPECT_EQ(outcomes("Flip", 2) + outcomes("Blt", 1) + std::to_string(platform::callLog().size()), "...0");
}

}  // namespace
