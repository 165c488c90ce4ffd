// The message queue: quit and destroyed-window results, the order of
// posted, quit and input messages, coalescing, waiting, closing, the
// cursor counter and bad use.
#include "platform/user_input.h"
#include "user_fixture.h"

namespace {

using Messages = std::vector<UINT>;

Messages kinds(const std::vector<MSG>& messages) {
  Messages result;
  for (const MSG& m : messages) result.push_back(m.message);
  return result;
}

TEST_F(UserTest, QuitEndsGetMessageWithZeroAfterPostedMessagesAndBeforeInput) {
  HWND window = createShownWindow();
  useScript("key 65");
  WaitMessage();
  PostQuitMessage(7);
  PostMessageA(window, WM_CLOSE, 0, 0);
  MSG message = {};
  ASSERT_EQ(GetMessageA(&message, window, 0, 0), 1);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_CLOSE));
  EXPECT_EQ(GetMessageA(&message, window, 0, 0), 0);  // whatever the window filter
  EXPECT_EQ(message.message * 100 + message.wParam, WM_QUIT * 100u + 7);
  EXPECT_EQ(message.hwnd, nullptr);
  EXPECT_EQ(kinds(drain()), Messages{WM_KEYDOWN});
}

TEST_F(UserTest, DefaultClosingDeactivatesAndDestroysThenTheWindowIsGone) {
  HWND window = createShownWindow();
  PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
  ASSERT_EQ(PostMessageA(window, WM_CLOSE, 0, 0), TRUE);
  MSG message = {};
  ASSERT_EQ(PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE), TRUE);  // the key stays queued
  DispatchMessageA(&message);
  EXPECT_EQ(receivedMessages(), (Messages{WM_CLOSE, WM_ACTIVATE, WM_KILLFOCUS, WM_DESTROY, WM_NCDESTROY}));
  EXPECT_EQ(LOWORD(received()[1].wParam), WA_INACTIVE);
  for (const Received& during : received()) EXPECT_TRUE(during.windowExisted);
  // The loop's GetMessageA on the destroyed window fails before it sees
  // the quit message; the key went with its window.
  EXPECT_EQ(GetMessageA(&message, window, 0, 0), -1);
  EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 0);
  EXPECT_EQ(kinds(drain()), Messages{});

  received().clear();
  message = {window, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
  EXPECT_EQ(GetMessageA(nullptr, nullptr, 0, 0), -1);
  EXPECT_EQ(PeekMessageA(nullptr, nullptr, 0, 0, PM_REMOVE), FALSE);
  EXPECT_EQ(DispatchMessageA(nullptr), 0);
  EXPECT_EQ(DispatchMessageA(&message), 0);
  EXPECT_EQ(PostMessageA(window, WM_CLOSE, 0, 0), FALSE);
  EXPECT_EQ(DefWindowProcA(window, WM_CLOSE, 0, 0), 0);
  EXPECT_EQ(ShowWindow(window, SW_SHOW), FALSE);
  EXPECT_EQ(UpdateWindow(window), FALSE);
  EXPECT_EQ(SetFocus(window), nullptr);
  EXPECT_TRUE(received().empty());
  WNDCLASSA windowClass = {};
  EXPECT_EQ(RegisterClassA(nullptr), 0);
  EXPECT_EQ(RegisterClassA(&windowClass), 0);
  windowClass = {0, DefWindowProcA, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, "TEST"};
  EXPECT_EQ(RegisterClassA(&windowClass), 0);  // class names ignore case
  EXPECT_EQ(CreateWindowExA(0, "Missing", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
}

// Moves coalesce with the last input only: the drag to (7, 8) happened with
// the button down and must not be lost.
TEST_F(UserTest, MouseMovesCoalesceAndPositionsAreZeroExtended) {
  HWND window = createShownWindow();
  useScript("move 1 2; move 3 4; move 5 6\npress 5 6; move 7 8; release 9 10; move 11 12; move 639 479\n");
  WaitMessage();
  auto first = drain();
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0].lParam, MAKELPARAM(5, 6));
  WaitMessage();
  std::vector<MSG> second = drain(window);
  EXPECT_EQ(kinds(second), (Messages{WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP, WM_MOUSEMOVE}));
  std::vector<std::pair<WPARAM, LPARAM>> seen;
  for (const MSG& m : second) seen.emplace_back(m.wParam, m.lParam);
  EXPECT_EQ(seen, (std::vector<std::pair<WPARAM, LPARAM>>{
                      {MK_LBUTTON, MAKELPARAM(5, 6)}, {MK_LBUTTON, MAKELPARAM(7, 8)}, {0, MAKELPARAM(9, 10)},
                      {0, MAKELPARAM(639, 479)}}));
  EXPECT_EQ(second[2].pt.x * 1000 + second[2].pt.y, 9010);

  platform::InputEvent far{platform::InputEvent::MouseMove};
  far.x = 0xffff;
  far.y = 0x8000;
  platform::deliverInput(far);
  EXPECT_EQ(drain()[0].lParam, static_cast<LPARAM>(0x8000ffffu));
}

TEST_F(UserTest, KeysCloseRequestsAndActualFocusChangesBecomeMessages) {
  HWND window = createWindow();
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  EXPECT_EQ(receivedMessages(), (Messages{WM_CREATE, WM_SHOWWINDOW, WM_ACTIVATE, WM_SETFOCUS, WM_PAINT}));
  useScript("key escape; activate; deactivate; deactivate; activate; close");
  WaitMessage();
  auto messages = drain();
  EXPECT_EQ(kinds(messages), (Messages{WM_KEYDOWN, WM_ACTIVATE, WM_ACTIVATE, WM_CLOSE}));
  EXPECT_EQ(messages[0].wParam, 27u);
  EXPECT_EQ(LOWORD(messages[1].wParam) * 10 + LOWORD(messages[2].wParam), WA_INACTIVE * 10 + WA_ACTIVE);
  EXPECT_EQ(messages[3].hwnd, window);
}

TEST_F(UserTest, WaitMessageHandsOverOneStepOnlyWhenNothingWaitsAndPeekingNever) {
  createShownWindow();
  platform::HeadlessHost& host = useScript("key 65\nkey 66; key 67\n");
  EXPECT_TRUE(drain().empty());
  EXPECT_EQ(host.stepsHandedOver(), 0u);
  EXPECT_EQ(WaitMessage(), TRUE);
  EXPECT_EQ(WaitMessage(), TRUE);
  EXPECT_EQ(host.stepsHandedOver(), 1u);
  EXPECT_EQ(drain().size(), 1u);
  EXPECT_EQ(WaitMessage(), TRUE);
  EXPECT_EQ(host.stepsHandedOver(), 2u);
  EXPECT_EQ(drain().size(), 2u);
  EXPECT_EXIT(
      {
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) == 1) DispatchMessageA(&message);
      },
      ::testing::ExitedWithCode(platform::kExitNoMoreInput), "input script ran out after 2 steps");
}

TEST_F(UserTest, ShowCursorCountsAndTellsTheHostOnlyOfVisibilityChanges) {
  platform::HeadlessHost& host = useScript("");
  std::vector<int> counts;
  for (BOOL show : {FALSE, FALSE, TRUE, TRUE, TRUE}) counts.push_back(ShowCursor(show));
  EXPECT_EQ(counts, (std::vector<int>{-1, -2, -1, 0, 1}));
  EXPECT_EQ(host.cursorChanges(), (std::vector<bool>{false, true}));
}

TEST_F(UserTest, InjectedFaultsGiveTheFailureResultsOfWindows) {
  HWND window = createShownWindow();
  for (const char* call : {"PostMessageA", "GetMessageA", "DefWindowProcA", "ShowCursor", "WaitMessage"}) {
    platform::failCall(call);
  }
  EXPECT_EQ(PostMessageA(window, WM_CLOSE, 0, 0), FALSE);
  PostMessageA(window, WM_CLOSE, 0, 0);
  MSG message = {};
  EXPECT_EQ(GetMessageA(&message, window, 0, 0), -1);
  EXPECT_EQ(GetMessageA(&message, window, 0, 0), 1);
  DefWindowProcA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ShowWindow(window, SW_SHOW), TRUE);  // not destroyed
  EXPECT_EQ(ShowCursor(FALSE), 0);
  EXPECT_EQ(WaitMessage(), FALSE);
  platform::failCall("CreateWindowExA");
  EXPECT_EQ(createWindow(), nullptr);
}

}  // namespace
