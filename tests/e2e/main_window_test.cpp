// What a user sees of the released quorvel.exe: the window, its seventeen controls, the list's
// columns, the Tab order, and Esc ending the program normally from any control.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/quorvel_process.h"

namespace {

struct ExpectedControl {
  const wchar_t* className;
  int left, top, width, height;
  const char* text;  // nullptr: not checked (list, combo, address boxes)
};

// In creation order. The combo's height is the closed box's, which the system chooses.
const ExpectedControl kControls[] = {
    {L"SysListView32", 8, 10, 400, 110, nullptr},
    {L"Button", 88, 164, 80, 32, "刷新延时"},
    {L"Button", 240, 164, 80, 32, "设置DNS"},
    {L"Static", 416, 16, 40, 16, "网卡:"},
    {L"ComboBox", 448, 13, 144, -1, nullptr},
    {L"Static", 416, 48, 32, 16, "MAC:"},
    {L"Edit", 448, 44, 144, 20, nullptr},
    {L"Static", 416, 76, 32, 16, "IP:"},
    {L"Static", 416, 108, 32, 16, "DNS1:"},
    {L"Static", 416, 140, 32, 16, "DNS2:"},
    {L"SysIPAddress32", 448, 72, 144, 20, nullptr},
    {L"SysIPAddress32", 447, 104, 144, 20, nullptr},
    {L"SysIPAddress32", 448, 136, 144, 20, nullptr},
    {L"Static", 8, 128, 72, 16, "自定义主DNS:"},
    {L"SysIPAddress32", 88, 125, 104, 20, nullptr},
    {L"Static", 208, 128, 72, 16, "自定义辅DNS:"},
    {L"SysIPAddress32", 288, 125, 104, 20, nullptr},
};

// Indexes into kControls of the focus stops, in Tab order.
const int kTabOrder[] = {0, 1, 2, 4, 10, 11, 12, 14, 16};
constexpr int kMacBox = 6;

TEST(MainWindow, LooksAsDesigned) {
  driver::Program program;
  HWND window = e2e::StartQuorvel(program);
  ASSERT_NE(window, nullptr) << "no window titled Quorvel工具 appeared";

  RECT outer{};
  GetWindowRect(window, &outer);
  EXPECT_EQ(outer.right - outer.left, 605);
  EXPECT_EQ(outer.bottom - outer.top, 232);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 605) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 232) / 2);

  const LONG style = GetWindowLongW(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME) << "the window must not be resizable";
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);

  const std::vector<HWND> controls = e2e::MainWindowControls(window);
  ASSERT_EQ(controls.size(), std::size(kControls));
  for (size_t i = 0; i < controls.size(); ++i) {
    SCOPED_TRACE("control " + std::to_string(i));
    const ExpectedControl& want = kControls[i];
    EXPECT_EQ(_wcsicmp(driver::ClassOf(controls[i]).c_str(), want.className), 0)
        << driver::Narrow(driver::ClassOf(controls[i]));
    const RECT r = driver::RectInParent(controls[i]);
    EXPECT_EQ(r.left, want.left);
    EXPECT_EQ(r.top, want.top);
    EXPECT_EQ(r.right - r.left, want.width);
    if (want.height >= 0) {
      EXPECT_EQ(r.bottom - r.top, want.height);
    }
    if (want.text) {
      EXPECT_EQ(driver::Narrow(driver::TextOf(controls[i])), want.text);
    }
    EXPECT_TRUE(IsWindowVisible(controls[i]));
    EXPECT_TRUE(IsWindowEnabled(controls[i]));
  }

  HWND list = controls[0];
  const char* titles[] = {"名称", "主DNS", "辅DNS", "主延时", "辅延时"};
  const int widths[] = {70, 110, 110, 50, 50};
  ASSERT_EQ(driver::ListColumnCount(list), 5);
  for (int c = 0; c < 5; ++c) {
    EXPECT_EQ(driver::ListColumnTitle(list, c), titles[c]);
    EXPECT_EQ(driver::ListColumnWidth(list, c), widths[c]);
  }
  EXPECT_EQ(driver::ListSelectedRow(list), -1) << "no row is selected at start";
  EXPECT_EQ(GetWindowLongW(controls[kMacBox], GWL_STYLE) & ES_READONLY, ES_READONLY);

  driver::PressKey(window, VK_ESCAPE);
  EXPECT_EQ(program.WaitForExit(10000), std::optional<DWORD>(0));
}

// A user clicks into the first field of "自定义主DNS:" and types an address with three-digit
// fields: the field must be wide enough in the window's font to take the third digit.
TEST(MainWindow, UserTypesAnAddressIntoTheCustomPrimaryBox) {
  constexpr size_t kCustomPrimary = 14;
  driver::Program program;
  HWND window = e2e::StartQuorvel(program);
  ASSERT_NE(window, nullptr);
  HWND box = e2e::MainWindowControls(window)[kCustomPrimary];
  std::vector<HWND> fields = driver::Children(box);
  ASSERT_EQ(fields.size(), 4u);
  std::sort(fields.begin(), fields.end(), [](HWND a, HWND b) {
    return driver::RectInParent(a).left < driver::RectInParent(b).left;
  });
  RECT r{};
  GetClientRect(fields[0], &r);
  const LPARAM point = MAKELPARAM(r.right / 2, r.bottom / 2);
  PostMessageW(fields[0], WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageW(fields[0], WM_LBUTTONUP, 0, point);
  Sleep(300);
  ASSERT_EQ(driver::FocusedWindow(window), fields[0]);

  driver::TypeText(window, L"223.5.5.5");
  EXPECT_EQ(driver::Narrow(driver::TextOf(fields[0])), "223");
  EXPECT_EQ(driver::AddressText(box), "223.5.5.5");

  driver::PressKey(window, VK_ESCAPE);
  EXPECT_EQ(program.WaitForExit(10000), std::optional<DWORD>(0));
}

// The exe carries its own icon, one 48 x 48 image with 32 bits per pixel. (Wine answers icon
// queries about another process's window with nothing, so the window's icon is checked in-process
// by the platform tests.)
TEST(MainWindow, ExeCarriesItsOwnIcon) {
  const std::wstring exe = driver::Widen(e2e::QuorvelExePath());
  HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  HICON icon = static_cast<HICON>(
      LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
  EXPECT_EQ(bitmap.bmWidth, 48);
  EXPECT_EQ(bitmap.bmHeight, 48);
  EXPECT_EQ(bitmap.bmBitsPixel, 32);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(icon);
  FreeLibrary(module);
}

// Tab visits the nine focus stops in order and wraps from the last to the first.
TEST(MainWindow, TabCyclesThroughTheFocusStops) {
  driver::Program program;
  HWND window = e2e::StartQuorvel(program);
  ASSERT_NE(window, nullptr);
  const std::vector<HWND> controls = e2e::MainWindowControls(window);
  ASSERT_EQ(controls.size(), std::size(kControls));

  auto focusIndex = [&]() {
    HWND focus = driver::FocusedChild(window);
    for (size_t i = 0; i < controls.size(); ++i) {
      if (controls[i] == focus) {
        return static_cast<int>(i);
      }
    }
    return -1;
  };
  auto pressTab = [&]() {
    driver::PressKey(window, VK_TAB);
    Sleep(150);
  };

  // Walk until the focus sits on the list, then two full rounds must follow the order exactly.
  for (int i = 0; i < 12 && focusIndex() != 0; ++i) {
    pressTab();
  }
  ASSERT_EQ(focusIndex(), 0) << "Tab never reached the list";
  std::vector<int> visited;
  for (size_t i = 0; i < 2 * std::size(kTabOrder); ++i) {
    pressTab();
    visited.push_back(focusIndex());
  }
  std::vector<int> expected;
  for (int round = 0; round < 2; ++round) {
    for (size_t i = 1; i <= std::size(kTabOrder); ++i) {
      expected.push_back(kTabOrder[i % std::size(kTabOrder)]);
    }
  }
  EXPECT_EQ(visited, expected);

  driver::PressKey(window, VK_ESCAPE);
  EXPECT_EQ(program.WaitForExit(10000), std::optional<DWORD>(0));
}

// Esc closes the window whichever control has the focus, and the program ends with code 0.
TEST(MainWindow, EscClosesFromEveryKindOfControl) {
  const struct {
    const char* name;
    int control;
  } cases[] = {{"list view", 0}, {"MAC box", kMacBox}, {"address box", 14}, {"drop-down", 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    driver::Program program;
    HWND window = e2e::StartQuorvel(program);
    ASSERT_NE(window, nullptr);
    HWND target = e2e::MainWindowControls(window)[static_cast<size_t>(c.control)];
    // A click gives the control the focus, as it would for the user. In an address box the
    // click lands in one of its fields.
    HWND clicked =
        driver::ClassOf(target) == L"SysIPAddress32" ? GetWindow(target, GW_CHILD) : target;
    RECT r{};
    GetClientRect(clicked, &r);
    const LPARAM point = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageW(clicked, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(clicked, WM_LBUTTONUP, 0, point);
    Sleep(300);
    // For the drop-down the click also opens its list: Esc must close the window, not the list.
    EXPECT_EQ(driver::FocusedChild(window), target);
    driver::PressKey(window, VK_ESCAPE);
    EXPECT_EQ(program.WaitForExit(10000), std::optional<DWORD>(0));
  }
}

}  // namespace
