// The message queue: quit and destroyed-window results, the order of
// posted, quit and input messages, coalescing, waiting, closing and the
// cursor counter.
#include "platform/user/user_input.h"
#include "user_fixture.h"

namespace {

using Messages = std::vector<UINT>;

template <typename T>
Messages kinds(const std::vector<T>& messages) {
  Messages result;
  for (const T& m : messages) result.push_back(m.message);
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
  EXPECT_EQ(message.message, UINT(WM_QUIT));
  EXPECT_EQ(message.wParam, 7u);
  EXPECT_EQ(kinds(drain()), Messages{WM_KEYDOWN});
}

TEST_F(UserTest, DefaultClosingDeactivatesAndDestroysThenTheWindowAnswersAsGone) {
  HWND window = createShownWindow();
  EXPECT_EQ(kinds(received()), (Messages{WM_CREATE, WM_SHOWWINDOW, WM_ACTIVATE, WM_SETFOCUS, WM_PAINT}));
  received().clear();
  PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
  PostMessageA(window, WM_CLOSE, 0, 0);
  MSG message = {};
  ASSERT_EQ(PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE), TRUE);  // the key stays queued
  DispatchMessageA(&message);
  EXPECT_EQ(kinds(received()), (Messages{WM_CLOSE, WM_ACTIVATE, WM_KILLFOCUS, WM_DESTROY, WM_NCDESTROY}));
  EXPECT_EQ(LOWORD(received()[1].wParam), WA_INACTIVE);
  for (const Received& during : received()) EXPECT_TRUE(during.windowExisted);
  // The loop's GetMessageA on the destroyed window fails before it sees the
  // quit message; the key went with its window.
  EXPECT_EQ(GetMessageA(&message, window, 0, 0), -1);
  EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 0);
  EXPECT_TRUE(drain().empty());
}

// Moves coalesce with the last input only: the drag to (7, 8) happened with
// the button down and must not be lost. Activation changes arrive only when
// they change something.
TEST_F(UserTest, InputBecomesMessagesWithMovesCoalescedAndPositionsZeroExtended) {
  HWND window = createShownWindow();
  useScript(
      "move 1 2; move 3 4; move 5 6\npress 5 6; move 7 8; release 9 10; move 11 12; move 639 479\n"
      "key escape; activate; deactivate; deactivate; activate; close\n");
  std::vector<std::tuple<UINT, WPARAM, LPARAM, HWND>> seen;
  for (int step = 0; step < 3 && WaitMessage(); ++step) {
    for (const MSG& m : drain()) seen.emplace_back(m.message, m.wParam, m.lParam, m.hwnd);
  }
  EXPECT_EQ(seen,
            (std::vector<std::tuple<UINT, WPARAM, LPARAM, HWND>>{{WM_MOUSEMOVE, 0, MAKELPARAM(5, 6), window},
                                                                 {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6), window},
                                                                 {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(7, 8), window},
                                                                 {WM_LBUTTONUP, 0, MAKELPARAM(9, 10), window},
                                                                 {WM_MOUSEMOVE, 0, MAKELPARAM(639, 479), window},
                                                                 {WM_KEYDOWN, VK_ESCAPE, 1, window},
                                                                 {WM_ACTIVATE, WA_INACTIVE, 0, window},
                                                                 {WM_ACTIVATE, WA_ACTIVE, 0, window},
                                                                 {WM_CLOSE, 0, 0, window}}));
  platform::InputEvent far{platform::InputEvent::MouseMove};
  far.x = 0xffff;
  far.y = 0x8000;
  platform::deliverInput(far);
  EXPECT_EQ(drain().at(0).lParam, static_cast<LPARAM>(0x8000ffffu));
}

TEST_F(UserTest, WaitMessageHandsOverOneStepOnlyWhenNothingWaitsAndRunningOutEndsTheRun) {
  createShownWindow();
  platform::HeadlessHost& host = useScript("key 65\nkey 66; key 67\n");
  EXPECT_TRUE(drain().empty());                        // looking never hands a step over
  EXPECT_TRUE(WaitMessage());
  EXPECT_TRUE(WaitMessage());  // the second finds input waiting
  EXPECT_EQ(host.stepsHandedOver(), 1u);
  EXPECT_EQ(drain().size(), 1u);
  EXPECT_TRUE(WaitMessage());
  EXPECT_EQ(drain().size(), 2);
  EXPECT_EXIT(
      {
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) == 1) DispatchMessageA(&message);
      },
      ::testing::ExitedWithCode(platform::kExitNoMoreInput),
      "^kelvane: the input script ran out after 2 steps while the program waits for input\n$");
}

TEST_F(UserTest, ShowCursorCountsAndTellsTheHostOnlyOfVisibilityChanges) {
  platform::HeadlessHost& host = useScript("");
  std::vector<int> counts;
  for (BOOL show : {FALSE, FALSE, TRUE, TRUE, TRUE}) counts.push_back(ShowCursor(show));
  EXPECT_EQ(counts, (std::vector<int>{-1, -2, -1, 0, 1}));
  EXPECT_EQ(host.cursorChanges(), (std::vector<bool>{false, true}));
}

}  // namespace
