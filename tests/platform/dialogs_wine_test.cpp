// The message box, the pause and the fatal stops of the real run time.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>

#include "platform/dialogs.h"
#include "platform/gui_runtime.h"
#include "platform/internal_error.h"
#include "platform/main_window_driver.h"
#include "platform/main_window_pump.h"
#include "platform/message_box_watcher.h"
#include "platform/win32/main_window.h"

namespace {

using ::testing::HasSubstr;

TEST(Dialogs, MessageBoxIsTaskModalWithOneOkButtonAndTheChosenIcon) {
  const struct {
    platform::MessageIcon icon;
    LPCWSTR systemIcon;
    const char* title;
  } cases[] = {{platform::MessageIcon::Information, IDI_INFORMATION, "信息："},
               {platform::MessageIcon::Stop, IDI_HAND, "错误"}};
  driver::OpenMainWindow();
  HWND combo =
      GetDlgItem(platform::win32::MainWindow(), platform::win32::ControlId(Control::组合框1));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    SetFocus(combo);
    driver::MessageBoxWatcher watcher;
    if (c.icon == platform::MessageIcon::Information) {
      platform::ShowMessage("DNS设置成功!", c.icon);  // the default title
    } else {
      platform::ShowMessage("DNS设置成功!", c.icon, c.title);
    }
    ASSERT_TRUE(watcher.Finish()) << "no message box appeared";
    EXPECT_EQ(watcher.seen().title, c.title);
    EXPECT_EQ(watcher.seen().text, "DNS设置成功!");
    EXPECT_EQ(watcher.seen().buttons, 1);
    EXPECT_FALSE(watcher.seen().hasOwner);
    EXPECT_FALSE(watcher.seen().mainWindowEnabled) << "the box is not task-modal";
    EXPECT_EQ(watcher.seen().icon, LoadIconW(nullptr, c.systemIcon));
    // Windows activates the main window again when the box is gone (Wine without a window
    // manager leaves that to us); the focus goes back to the control that had it.
    SetForegroundWindow(platform::win32::MainWindow());
    driver::PumpMessages();
    EXPECT_EQ(GetFocus(), combo);
  }
  driver::CloseMainWindow();
}

TEST(Dialogs, PauseBlocksForTheCountAndANegativeCountIsZero) {
  using Clock = std::chrono::steady_clock;
  const auto elapsedMs = [](Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
  };
  Clock::time_point start = Clock::now();
  platform::Pause(300);
  EXPECT_GE(elapsedMs(start), 280);  // the system's timer may round a little short
  start = Clock::now();
  platform::Pause(-1000);
  EXPECT_LT(elapsedMs(start), 100);
}

TEST(DialogsDeathTest, InternalErrorIsShownAndWrittenThenTheProcessEndsWithCode3) {
  EXPECT_EXIT(
      {
        driver::MessageBoxWatcher watcher(/*report=*/true);
        platform::StopOnInternalError("slot 6 of providerNames");
      },
      ::testing::ExitedWithCode(3),
      testing::AllOf(HasSubstr("internal error: slot 6 of providerNames"),
                     HasSubstr("message box: Quorvel工具 | 程序内部错误")));
}

TEST(DialogsDeathTest, FatalErrorIsShownAndEndProcessNowExitsWithItsCode) {
  EXPECT_EXIT(
      {
        driver::MessageBoxWatcher watcher(/*report=*/true);
        platform::ShowFatalError("无法创建主窗口");
        watcher.Finish();
        platform::EndProcessNow(-1);
      },
      ::testing::ExitedWithCode(-1), HasSubstr("message box: Quorvel工具 | 无法创建主窗口"));
}

}  // namespace
