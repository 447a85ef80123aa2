// The window while netsh works: a slow System32 netsh (4 s), and the user clicking "设置DNS" again
// and pressing Return while it runs, with real input on the test's display. The window must keep
// answering, the extra click and key must do nothing, neither then nor later, and the message box
// that follows must stay open until the user dismisses it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "e2e/quorvel_process.h"
#include "e2e/test_folder.h"

namespace {

constexpr size_t kSetDns = 2, kCustom1 = 14;

// xdotool arguments that click the middle of the window.
std::string ClickOn(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return "mousemove " + std::to_string((r.left + r.right) / 2) + " " +
         std::to_string((r.top + r.bottom) / 2) + " click 1";
}

bool WaitForRecords(size_t count, DWORD milliseconds) {
  for (DWORD waited = 0; waited < milliseconds; waited += 50) {
    if (e2e::RecordedCommandLines().size() >= count) {
      return true;
    }
    Sleep(50);
  }
  return false;
}

int MessageBoxesOf(DWORD processId) {
  struct Search {
    DWORD processId;
    int count;
  } search{processId, 0};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (owner == s->processId && IsWindowVisible(window) && std::wstring(name) == L"#32770") {
          ++s->count;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.count;
}

TEST(BusyAction, TheWindowAnswersWhileNetshRunsAndTakesNoInput) {
  e2e::ResetStandIn("0 4000");
  ASSERT_TRUE(e2e::SetReportedDnsServers("10.1.2.3"));  // as if netsh had set it
  driver::Program program;
  HWND window = e2e::StartQuorvel(program);
  ASSERT_NE(window, nullptr);
  const std::vector<HWND> controls = e2e::MainWindowControls(window);
  ASSERT_EQ(controls.size(), 17u);
  driver::SetAddress(controls[kCustom1], 10, 1, 2, 3);
  Sleep(300);

  ASSERT_TRUE(e2e::RealInput(ClickOn(controls[kSetDns])));
  ASSERT_TRUE(WaitForRecords(1, 5000)) << "the click did not start the action";

  // netsh runs for 4 s: the window answers within 0.5 s every time it is asked.
  for (int ping = 0; ping < 4; ++ping) {
    DWORD_PTR result = 0;
    const ULONGLONG start = GetTickCount64();
    EXPECT_NE(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 500, &result), 0)
        << "ping " << ping << " got no answer";
    EXPECT_LT(GetTickCount64() - start, 500u);
    Sleep(200);
  }
  // The user clicks again and presses Return while it runs.
  ASSERT_TRUE(e2e::RealInput(ClickOn(controls[kSetDns])));
  ASSERT_TRUE(e2e::RealInput("key Return"));

  const auto box = driver::WaitForMessageBox(program.ProcessId(), 10000);
  ASSERT_TRUE(box.has_value()) << "no message box";
  EXPECT_EQ(box->text, "自定义主DNS设置成功!");
  Sleep(1500);
  EXPECT_TRUE(IsWindow(box->window) && IsWindowVisible(box->window))
      << "the Return pressed before the box appeared dismissed it";
  EXPECT_EQ(MessageBoxesOf(program.ProcessId()), 1);
  EXPECT_EQ(e2e::RecordedCommandLines().size(), 1u);

  // After the box and the pause the second click must not start another action.
  driver::DismissMessageBox(*box);
  Sleep(300);
  EXPECT_FALSE(driver::WaitForMessageBox(program.ProcessId(), 4000).has_value())
      << "the click made during the action started another one";
  EXPECT_EQ(e2e::RecordedCommandLines().size(), 1u);

  driver::PressKey(window, VK_ESCAPE);
  EXPECT_EQ(program.WaitForExit(10000), std::optional<DWORD>(0));
}

}  // namespace
