#include "platform/trace.h"

#include <gtest/gtest.h>

namespace {

class TraceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::clearTrace();
    platform::setCallLogging(true);
  }
  void TearDown() override {
    platform::clearTrace();
    platform::setCallLogging(false);
  }
};

std::vector<bool> outcomes(const char* name, int calls) {
  std::vector<bool> failed;
  for (int i = 0; i < calls; ++i) failed.push_back(platform::traceCall(name));
  return failed;
}

TEST_F(TraceTest, LogsCallsWithArgumentsOnlyWhileLoggingIsOn) {
  platform::traceCall("Flip", "NULL, DDFLIP_WAIT");
  platform::traceCall("WaitMessage");
  platform::setCallLogging(false);
  platform::traceCall("Blt");
  EXPECT_EQ(platform::callLog(), (std::vector<std::string>{"Flip(NULL, DDFLIP_WAIT)", "WaitMessage()"}));
  platform::clearTrace();
  EXPECT_TRUE(platform::callLog().empty());
}

TEST_F(TraceTest, FailsTheNthCallFromNowOnlyOnceUnlessPersistent) {
  platform::traceCall("Blt");
  platform::failCall("Blt", 3);
  EXPECT_EQ(outcomes("Blt", 5), (std::vector<bool>{false, false, true, false, false}));
  platform::failCall("Blt", 2, true);
  EXPECT_EQ(outcomes("Blt", 4), (std::vector<bool>{false, true, true, true}));
  EXPECT_EQ(outcomes("Flip", 2), (std::vector<bool>{false, false}));
}

TEST_F(TraceTest, FaultsStackAndClearTraceDisarmsThem) {
  platform::failCall("Flip", 1);
  platform::failCall("Flip", 2);
  platform::failCall("Flip", 0);  // taken as the next call
  EXPECT_EQ(outcomes("Flip", 3), (std::vector<bool>{true, true, false}));
  platform::failCall("Flip", 1, true);
  platform::clearTrace();
  EXPECT_EQ(outcomes("Flip", 2), (std::vector<bool>{false, false}));
}

}  // namespace
