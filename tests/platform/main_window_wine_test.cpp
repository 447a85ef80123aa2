// The real main window in this process: its layout and settings, the created event, Tab and Esc,
// the event bindings and the message loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/gui_runtime.h"
#include "platform/main_window_pump.h"
#include "platform/win32/main_window.h"
#include "platform/win32/wide_text.h"

namespace {

using platform::win32::ControlId;
using platform::win32::MainWindow;

struct Counts {
  int created = 0;
  bool hiddenWhenCreated = false;
  bool controlsWhenCreated = false;
  int refresh = 0;
  int setDns = 0;
  int selected = 0;
  int selectionSeen = -2;
};
Counts g_counts;
void (*g_setDnsBody)() = nullptr;  // what the set-DNS handler does besides counting

HWND ControlHandle(Control control) {
  return GetDlgItem(MainWindow(), ControlId(control));
}

std::string ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return platform::win32::Utf8FromWide(name);
}

std::string TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return platform::win32::Utf8FromWide(text);
}

RECT RectInParent(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The control that has the focus, or the main window's child holding it (an address box holds
// the focus in one of its fields).
Control FocusedControl() {
  HWND focus = GetFocus();
  while (focus != nullptr && GetParent(focus) != MainWindow()) {
    focus = GetParent(focus);
  }
  return static_cast<Control>(GetDlgCtrlID(focus) - platform::win32::kFirstControlId);
}

class RealMainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    g_counts = {};
    g_setDnsBody = nullptr;
    platform::MainWindowEvents events;
    events.created = [] {
      ++g_counts.created;
      g_counts.hiddenWhenCreated = !IsWindowVisible(MainWindow());
      g_counts.controlsWhenCreated = ControlHandle(Control::IP编辑框_自定义DNS2) != nullptr;
    };
    events.refreshLatencyClicked = [] { ++g_counts.refresh; };
    events.setDnsClicked = [] {
      ++g_counts.setDns;
      if (g_setDnsBody != nullptr) {
        g_setDnsBody();
      }
    };
    events.adapterSelected = [] {
      ++g_counts.selected;
      g_counts.selectionSeen = platform::ComboSelection(Control::组合框1);
    };
    ASSERT_TRUE(platform::InitGuiRuntime());
    ASSERT_TRUE(platform::LoadMainWindow(events));
    driver::PumpMessages();
  }
  void TearDown() override {
    if (MainWindow() != nullptr) {
      DestroyWindow(MainWindow());
    }
    driver::PumpMessages();
  }
};

TEST_F(RealMainWindow, CreatedRunsOnceWithAllControlsWhileTheWindowIsHidden) {
  EXPECT_EQ(g_counts.created, 1);
  EXPECT_TRUE(g_counts.hiddenWhenCreated);
  EXPECT_TRUE(g_counts.controlsWhenCreated);
  EXPECT_TRUE(IsWindowVisible(MainWindow()));
}

TEST_F(RealMainWindow, WindowIsCentredFixedAndOwnsItsIcon) {
  HWND window = MainWindow();
  EXPECT_EQ(TextOf(window), "Quorvel工具");
  RECT outer{};
  GetWindowRect(window, &outer);
  EXPECT_EQ(outer.right - outer.left, 605);
  EXPECT_EQ(outer.bottom - outer.top, 232);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 605) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 232) / 2);

  const LONG style = GetWindowLongW(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  const LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
  EXPECT_FALSE(exStyle & WS_EX_TOPMOST);
  EXPECT_EQ(GetClassLongPtrW(window, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);

  HICON icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
  EXPECT_EQ(bitmap.bmWidth, 48);
  EXPECT_EQ(bitmap.bmHeight, 48);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

TEST_F(RealMainWindow, ControlsStandAsLaidOutWithTheirTextsFontAndFocusStops) {
  const char* kClasses[] = {"SysListView32", "Button", "Static",
                            "ComboBox",      "Edit",   "SysIPAddress32"};
  HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
  // Creation order is the order of the children.
  HWND child = GetWindow(MainWindow(), GW_CHILD);
  for (const ControlLayout& layout : kMainWindowControls) {
    SCOPED_TRACE(std::string(layout.name));
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child, ControlHandle(layout.id)) << "created out of order";
    EXPECT_STRCASEEQ(ClassOf(child).c_str(), kClasses[static_cast<int>(layout.kind)]);
    const RECT r = RectInParent(child);
    EXPECT_EQ(r.left, layout.left);
    EXPECT_EQ(r.top, layout.top);
    EXPECT_EQ(r.right - r.left, layout.width);
    if (layout.kind != ControlKind::ComboBox) {
      EXPECT_EQ(r.bottom - r.top, layout.height);
    }
    if (layout.kind == ControlKind::Label || layout.kind == ControlKind::PushButton) {
      EXPECT_EQ(TextOf(child), layout.text);
    }
    if (layout.kind == ControlKind::AddressBox) {
      for (HWND field = GetWindow(child, GW_CHILD); field; field = GetWindow(field, GW_HWNDNEXT)) {
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageW(field, WM_GETFONT, 0, 0)), font);
      }
    } else {
      EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageW(child, WM_GETFONT, 0, 0)), font);
    }
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    EXPECT_EQ((style & WS_TABSTOP) != 0, layout.focusStop);
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(IsWindowEnabled(child));
    child = GetWindow(child, GW_HWNDNEXT);
  }
}

TEST_F(RealMainWindow, ListViewIsAGreenReportListWithFiveColumns) {
  HWND list = ControlHandle(Control::超级列表框1);
  const LONG style = GetWindowLongW(list, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & LVS_SINGLESEL);
  for (LONG absent : {LVS_SHOWSELALWAYS, LVS_EDITLABELS, LVS_SORTASCENDING, LVS_SORTDESCENDING,
                      LVS_NOCOLUMNHEADER, LVS_NOSORTHEADER}) {
    EXPECT_FALSE(style & absent) << std::hex << absent;
  }
  EXPECT_TRUE(GetWindowLongW(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  const LRESULT extended = SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
  EXPECT_EQ(extended & (LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES |
                        LVS_EX_TRACKSELECT | LVS_EX_HEADERDRAGDROP),
            LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  EXPECT_EQ(SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(SendMessageW(list, LVM_GETTEXTBKCOLOR, 0, 0), RGB(146, 194, 133));
  EXPECT_EQ(SendMessageW(list, LVM_GETBKCOLOR, 0, 0), RGB(255, 255, 255));

  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  ASSERT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 5);
  for (int c = 0; c < 5; ++c) {
    wchar_t title[32] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.pszText = title;
    column.cchTextMax = 32;
    ASSERT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, c, reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(platform::win32::Utf8FromWide(title), kLatencyListColumns[c].title);
    EXPECT_EQ(column.cx, kLatencyListColumns[c].width);
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
  }
}

TEST_F(RealMainWindow, ComboEditLabelsAndButtonsHaveTheirSettings) {
  HWND combo = ControlHandle(Control::组合框1);
  const LONG comboStyle = GetWindowLongW(combo, GWL_STYLE);
  EXPECT_EQ(comboStyle & 3, CBS_DROPDOWNLIST);
  EXPECT_FALSE(comboStyle & CBS_SORT);
  // Opened with many items, the list ends within the 160 pixels below the combo's top, short
  // of them by less than one item.
  for (int i = 0; i < 30; ++i) {
    platform::AddComboItem(Control::组合框1, "以太网 " + std::to_string(i));
  }
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  RECT closed{};
  RECT opened{};
  GetWindowRect(combo, &closed);
  GetWindowRect(info.hwndList, &opened);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  const LRESULT itemHeight = SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
  EXPECT_LE(opened.bottom - closed.top, 160);
  EXPECT_GT(opened.bottom - closed.top, 160 - itemHeight);
  // The system's item height for this font, from a plain combo of the same kind.
  HWND plain = CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 100, 160,
                               MainWindow(), nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(plain, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  EXPECT_EQ(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0),
            SendMessageW(plain, CB_GETITEMHEIGHT, 0, 0) + 1);
  DestroyWindow(plain);

  HWND edit = ControlHandle(Control::编辑框_MAC);
  const LONG editStyle = GetWindowLongW(edit, GWL_STYLE);
  EXPECT_TRUE(editStyle & ES_READONLY);
  EXPECT_TRUE(editStyle & ES_AUTOHSCROLL);
  EXPECT_FALSE(editStyle & (ES_MULTILINE | ES_NOHIDESEL | ES_CENTER | ES_RIGHT));
  EXPECT_TRUE(GetWindowLongW(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

  for (Control button : {Control::按钮_刷新延时, Control::按钮_设置选中DNS}) {
    const LONG style = GetWindowLongW(ControlHandle(button), GWL_STYLE);
    EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON) << "neither button is the default one";
    EXPECT_EQ(style & (BS_CENTER | BS_VCENTER), BS_CENTER | BS_VCENTER);
  }

  // Labels: one left-aligned, vertically centred line without prefix characters, drawn
  // transparently on the window's background; the read-only MAC box stays black on white.
  HDC dc = CreateCompatibleDC(nullptr);
  for (const ControlLayout& layout : kMainWindowControls) {
    if (layout.kind != ControlKind::Label) {
      continue;
    }
    SCOPED_TRACE(std::string(layout.name));
    HWND label = ControlHandle(layout.id);
    const LONG style = GetWindowLongW(label, GWL_STYLE);
    EXPECT_EQ(style & SS_TYPEMASK, SS_LEFT);
    EXPECT_TRUE(style & SS_CENTERIMAGE);
    EXPECT_TRUE(style & SS_NOPREFIX);
    SetBkMode(dc, OPAQUE);
    const LRESULT brush =
        SendMessageW(MainWindow(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(label));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
  }
  SetBkMode(dc, OPAQUE);
  const LRESULT editBrush =
      SendMessageW(MainWindow(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(edit));
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(editBrush), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
  DeleteDC(dc);
}

// The width and height of the text as drawn with the control's own font.
SIZE TextExtentInControl(HWND control, const std::wstring& text) {
  HDC dc = GetDC(control);
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return extent;
}

// The four field edits of an address box, left to right.
std::vector<HWND> AddressFields(HWND box) {
  std::vector<HWND> fields;
  for (HWND field = GetWindow(box, GW_CHILD); field; field = GetWindow(field, GW_HWNDNEXT)) {
    fields.push_back(field);
  }
  std::sort(fields.begin(), fields.end(),
            [](HWND a, HWND b) { return RectInParent(a).left < RectInParent(b).left; });
  return fields;
}

// The layout was made for the metrics of a Chinese Windows' default GUI font; with another font a
// label loses its last characters, and an address field refuses a third digit it cannot show.
TEST_F(RealMainWindow, TextsFitTheirControlsInTheWindowsFont) {
  for (const ControlLayout& layout : kMainWindowControls) {
    if (layout.kind != ControlKind::Label && layout.kind != ControlKind::PushButton) {
      continue;
    }
    SCOPED_TRACE(std::string(layout.name) + " \"" + std::string(layout.text) + "\"");
    HWND control = ControlHandle(layout.id);
    RECT client{};
    GetClientRect(control, &client);
    const SIZE text = TextExtentInControl(control, platform::win32::WideFromUtf8(layout.text));
    EXPECT_LE(text.cx, client.right) << "the text is cut";
    EXPECT_LE(text.cy, client.bottom);
  }
  for (const ControlLayout& layout : kMainWindowControls) {
    if (layout.kind != ControlKind::AddressBox) {
      continue;
    }
    SCOPED_TRACE(std::string(layout.name));
    const std::vector<HWND> fields = AddressFields(ControlHandle(layout.id));
    ASSERT_EQ(fields.size(), 4u);
    for (HWND field : fields) {
      // An edit without horizontal scrolling takes only what fits its formatting rectangle.
      RECT formatting{};
      SendMessageW(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&formatting));
      EXPECT_LE(TextExtentInControl(field, L"255").cx, formatting.right - formatting.left);
    }
  }
}

// A user clicks into the first field of 自定义主DNS: and types the address as text: each field
// takes its digits and a dot moves on to the next one.
TEST_F(RealMainWindow, UserTypesAnAddressIntoTheCustomPrimaryBox) {
  constexpr Control box = Control::IP编辑框_自定义DNS1;
  const std::vector<HWND> fields = AddressFields(ControlHandle(box));
  ASSERT_EQ(fields.size(), 4u);
  SetFocus(fields[0]);
  driver::PumpMessages();
  for (const wchar_t c : std::wstring(L"223.5.5.5")) {
    PostMessageW(GetFocus(), WM_CHAR, c, 1);
    driver::PumpMessages();
  }
  SetFocus(ControlHandle(Control::超级列表框1));
  driver::PumpMessages();
  EXPECT_EQ(platform::AddressText(box), "223.5.5.5");
  EXPECT_EQ(TextOf(fields[0]), "223");
}

// Tab visits the nine focus stops in order, from an address box's field too, and wraps.
TEST_F(RealMainWindow, TabVisitsTheFocusStopsInOrderAndWraps) {
  const Control order[] = {
      Control::超级列表框1,   Control::按钮_刷新延时,       Control::按钮_设置选中DNS,
      Control::组合框1,       Control::IP编辑框_IP,         Control::IP编辑框_DNS1,
      Control::IP编辑框_DNS2, Control::IP编辑框_自定义DNS1, Control::IP编辑框_自定义DNS2};
  SetFocus(ControlHandle(Control::超级列表框1));
  for (int step = 1; step <= 2 * 9; ++step) {
    driver::PressKey(VK_TAB);
    const Control expected = order[step % 9];
    ASSERT_EQ(FocusedControl(), expected)
        << "after " << step << " Tabs, expected " << LayoutOf(expected).name;
  }
}

TEST_F(RealMainWindow, EscClosesTheWindowWhicheverControlHasTheFocus) {
  const struct {
    Control control;
    bool openList;
  } cases[] = {{Control::超级列表框1, false},   {Control::编辑框_MAC, false},
               {Control::IP编辑框_DNS1, false}, {Control::组合框1, false},
               {Control::组合框1, true},        {Control::按钮_设置选中DNS, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(LayoutOf(c.control).name) + (c.openList ? ", list open" : ""));
    if (MainWindow() == nullptr) {
      ASSERT_TRUE(platform::LoadMainWindow({}));
    }
    platform::AddComboItem(Control::组合框1, "以太网");
    SetFocus(ControlHandle(c.control));
    if (c.openList) {
      SendMessageW(ControlHandle(c.control), CB_SHOWDROPDOWN, TRUE, 0);
      ASSERT_TRUE(SendMessageW(ControlHandle(c.control), CB_GETDROPPEDSTATE, 0, 0));
    }
    driver::PumpMessages();
    ASSERT_EQ(FocusedControl(), c.control);
    driver::PressKey(VK_ESCAPE);
    ASSERT_EQ(MainWindow(), nullptr);
    platform::RunMessageLoop();  // returns at once: no window left
  }
}

TEST_F(RealMainWindow, ButtonClicksRunTheirHandlers) {
  SendMessageW(ControlHandle(Control::按钮_刷新延时), BM_CLICK, 0, 0);
  EXPECT_EQ(g_counts.refresh, 1);
  EXPECT_EQ(g_counts.setDns, 0);
  SendMessageW(ControlHandle(Control::按钮_设置选中DNS), BM_CLICK, 0, 0);
  EXPECT_EQ(g_counts.setDns, 1);
  // Space on the focused button is a click too.
  SetFocus(ControlHandle(Control::按钮_刷新延时));
  driver::PressKey(VK_SPACE);
  EXPECT_EQ(g_counts.refresh, 2);
}

// The user's choice reaches the handler through a posted message, after the notification is
// done and with the new selection in place; the program's own selections raise nothing.
TEST_F(RealMainWindow, ComboChoiceRunsTheHandlerAfterTheNotification) {
  platform::AddComboItem(Control::组合框1, "以太网");
  platform::AddComboItem(Control::组合框1, "WLAN");
  platform::SetComboSelection(Control::组合框1, 0);
  driver::PumpMessages();
  EXPECT_EQ(g_counts.selected, 0) << "a selection by the program raised the event";

  HWND combo = ControlHandle(Control::组合框1);
  SendMessageW(MainWindow(), WM_COMMAND, MAKEWPARAM(ControlId(Control::组合框1), CBN_SELENDOK),
               reinterpret_cast<LPARAM>(combo));
  EXPECT_EQ(g_counts.selected, 0) << "the handler ran inside the notification";
  driver::PumpMessages();
  EXPECT_EQ(g_counts.selected, 1);

  // The user moves to the next item with the keyboard.
  SetFocus(combo);
  driver::PressKey(VK_DOWN);
  EXPECT_EQ(g_counts.selected, 2);
  EXPECT_EQ(g_counts.selectionSeen, 1);
}

// What another thread saw of the window while the set-DNS handler was waiting in a pause.
struct SeenDuringAction {
  bool busyCursor = false;
  bool answered = false;  // a WM_NULL sent with a limit of 500 ms
  bool painted = false;   // an invalidated window was painted
  int setDnsRunsInside = -1;
  bool windowAliveAtEnd = false;
};
SeenDuringAction g_seen;

void ProbeFromAnotherThread() {
  HWND window = MainWindow();
  HWND button = GetDlgItem(window, ControlId(Control::按钮_设置选中DNS));
  DWORD_PTR result = 0;
  g_seen.answered = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 500, &result) != 0;
  InvalidateRect(window, nullptr, TRUE);
  Sleep(300);
  g_seen.painted = GetUpdateRect(window, nullptr, FALSE) == FALSE;
  // Another program clicks the button and asks the window to close: neither may act now.
  SendMessageTimeoutW(window, WM_COMMAND,
                      MAKEWPARAM(ControlId(Control::按钮_设置选中DNS), BN_CLICKED),
                      reinterpret_cast<LPARAM>(button), SMTO_NORMAL, 500, &result);
  SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_NORMAL, 500, &result);
}

TEST_F(RealMainWindow, TheActionKeepsTheWindowAliveButRunsNothingElse) {
  g_seen = {};
  g_setDnsBody = [] {
    g_seen.busyCursor = GetCursor() == LoadCursorW(nullptr, IDC_WAIT);
    std::thread prober(ProbeFromAnotherThread);
    platform::Pause(1500);  // the prober's sent messages are answered within this
    prober.join();
    g_seen.setDnsRunsInside = g_counts.setDns;
    g_seen.windowAliveAtEnd = MainWindow() != nullptr;
  };
  SendMessageW(ControlHandle(Control::按钮_设置选中DNS), BM_CLICK, 0, 0);

  EXPECT_TRUE(g_seen.busyCursor);
  EXPECT_TRUE(g_seen.answered) << "the window did not answer while the action waited";
  EXPECT_TRUE(g_seen.painted);
  EXPECT_EQ(g_seen.setDnsRunsInside, 1) << "a second action ran inside the first";
  EXPECT_TRUE(g_seen.windowAliveAtEnd) << "the window closed under the running action";
  EXPECT_EQ(g_counts.setDns, 1);
  EXPECT_NE(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
  driver::PumpMessages();
  EXPECT_EQ(MainWindow(), nullptr) << "the close asked for during the action was lost";
}

TEST_F(RealMainWindow, MessageLoopEndsWhenTheWindowIsClosed) {
  PostMessageW(MainWindow(), WM_CLOSE, 0, 0);
  platform::RunMessageLoop();
  EXPECT_EQ(MainWindow(), nullptr);

  // Closed by a message sent from another thread while the loop waits for input.
  ASSERT_TRUE(platform::LoadMainWindow({}));
  HWND window = MainWindow();
  std::thread closer([window] {
    Sleep(200);
    SendMessageW(window, WM_CLOSE, 0, 0);
  });
  platform::RunMessageLoop();
  closer.join();
  EXPECT_EQ(MainWindow(), nullptr);
}

}  // namespace
