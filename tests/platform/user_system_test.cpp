#include <gtest/gtest.h>

#include "platform/trace.h"
#include "platform/user.h"
#include "platform/user_format.h"
#include "user_fixture.h"

namespace {

TEST_F(UserTest, ShowCursorCountsAndTellsTheHostOnlyOfVisibilityChanges) {
  platform::HeadlessHost& host = useScript("");
  EXPECT_EQ(ShowCursor(FALSE), -1);
  EXPECT_EQ(ShowCursor(FALSE), -2);
  EXPECT_EQ(ShowCursor(TRUE), -1);
  EXPECT_EQ(ShowCursor(TRUE), 0);
  EXPECT_EQ(ShowCursor(TRUE), 1);
  EXPECT_EQ(host.cursorChanges(), (std::vector<bool>{false, true}));
  platform::resetUser();
  EXPECT_EQ(ShowCursor(FALSE), -1);
}

TEST_F(UserTest, ScreenSizeComesFromTheHost) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 480);
  platform::setHost(std::make_unique<platform::HeadlessHost>(std::vector<platform::ScriptStep>{}, 1920, 1080));
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
}

TEST_F(UserTest, OnlyTheSystemHasIconsAndCursors) {
  EXPECT_EQ(LoadIconA(platform::programInstance(), MAKEINTRESOURCEA(32512)), nullptr);
  EXPECT_NE(LoadIconA(nullptr, IDI_APPLICATION), nullptr);
  EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
  EXPECT_EQ(LoadCursorA(platform::programInstance(), IDC_ARROW), nullptr);
  EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
}

TEST_F(UserTest, CallsAreLoggedWithTheirArguments) {
  platform::setCallLogging(true);
  HWND window = createWindow();
  PostMessageA(window, WM_CLOSE, 0, 0);
  MSG message = {};
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  ShowCursor(FALSE);
  GetSystemMetrics(SM_CXSCREEN);
  LoadIconA(platform::programInstance(), MAKEINTRESOURCEA(32512));

  const std::string handle = platform::handleText(window);
  const std::vector<std::string>& log = platform::callLog();
  ASSERT_EQ(log.size(), 7u);
  EXPECT_EQ(log[0], "CreateWindowExA(0x8, \"Test\", \"Test\", 0x80000000, 0, 0, 640, 480, NULL, NULL, 0x400000, NULL)");
  EXPECT_EQ(log[1].rfind("DefWindowProcA(" + handle + ", WM_CREATE, 0, ", 0), 0u);
  EXPECT_EQ(std::vector<std::string>(log.begin() + 2, log.end()),
            (std::vector<std::string>{"PostMessageA(" + handle + ", WM_CLOSE, 0, 0)",
                                      "PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)", "ShowCursor(FALSE)",
                                      "GetSystemMetrics(SM_CXSCREEN)", "LoadIconA(0x400000, 32512)"}));
}

TEST_F(UserTest, InjectedFaultsGiveTheFailureResultsOfWindows) {
  HWND window = createShownWindow();
  platform::failCall("PostMessageA");
  EXPECT_EQ(PostMessageA(window, WM_CLOSE, 0, 0), FALSE);
  MSG message = {};
  EXPECT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE), FALSE);

  platform::failCall("GetMessageA");
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(GetMessageA(&message, window, 0, 0), -1);
  EXPECT_EQ(GetMessageA(&message, window, 0, 0), 1);

  platform::failCall("DefWindowProcA");
  DefWindowProcA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ShowWindow(window, SW_SHOW), TRUE);  // still there

  platform::failCall("CreateWindowExA");
  EXPECT_EQ(createWindow(), nullptr);
  platform::failCall("ShowCursor");
  EXPECT_EQ(ShowCursor(FALSE), 0);
  platform::failCall("GetSystemMetrics");
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 0);
  platform::failCall("WaitMessage");
  EXPECT_EQ(WaitMessage(), FALSE);
}

}  // namespace
