// The main window: its class, its window procedure (events, label colours, closing) and loading
// it with its controls.
#include "platform/win32/main_window.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "platform/gui_runtime.h"
#include "platform/internal_error.h"
#include "platform/win32/responsive_wait.h"
#include "platform/win32/wide_text.h"

namespace platform::win32 {
namespace {

constexpr wchar_t kClassName[] = L"QuorvelMainWindow";
constexpr WORD kIconResourceId = 1;

HWND g_window = nullptr;
HWND g_focusBeforeDeactivation = nullptr;
MainWindowEvents g_events;
HFONT g_font = nullptr;
bool g_actionRunning = false;
bool g_closeAfterAction = false;

void Raise(void (*event)()) {
  if (event != nullptr) {
    event();
  }
}

// The set-DNS action waits for netsh and pauses, keeping the window alive meanwhile (painting,
// answering sent messages). For its whole length it shows the busy cursor, and neither the user's
// input nor a command sent by another program starts anything: one handler at a time.
void RunAction(HWND window, void (*event)()) {
  g_actionRunning = true;
  const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  Raise(event);
  DiscardQueuedInput();  // made during the action's last steps: it must not act later
  SetCursor(previous);
  g_actionRunning = false;
  if (g_closeAfterAction) {
    g_closeAfterAction = false;
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
}

void OnCommand(HWND window, int id, int code) {
  if (g_actionRunning) {
    return;
  }
  if (code == BN_CLICKED && id == ControlId(Control::按钮_刷新延时)) {
    Raise(g_events.refreshLatencyClicked);
  } else if (code == BN_CLICKED && id == ControlId(Control::按钮_设置选中DNS)) {
    RunAction(window, g_events.setDnsClicked);
  } else if (code == CBN_SELENDOK && id == ControlId(Control::组合框1)) {
    // The handler runs once this notification is done and the combo shows the new selection.
    PostMessageW(window, kAdapterSelectedMessage, 0, 0);
  }
}

bool IsLabel(HWND child) {
  const int id = GetDlgCtrlID(child);
  const int index = id - kFirstControlId;
  return index >= 0 && index < static_cast<int>(kMainWindowControls.size()) &&
         kMainWindowControls[static_cast<std::size_t>(index)].kind == ControlKind::Label;
}

// Labels draw their text straight on the window's background; the read-only MAC box, which
// asks through the same message, stays black on white.
LRESULT OnCtlColorStatic(HDC dc, HWND child) {
  SetTextColor(dc, RGB(0, 0, 0));
  if (IsLabel(child)) {
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }
  SetBkColor(dc, RGB(255, 255, 255));
  return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(window, LOWORD(wParam), HIWORD(wParam));
      return 0;
    case kAdapterSelectedMessage:
      Raise(g_events.adapterSelected);
      return 0;
    case WM_SETFONT:
      g_font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      // Controls that take their font from the parent when they are created (the address
      // boxes' fields, in some versions of the common controls) ask for it here.
      return reinterpret_cast<LRESULT>(g_font);
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
      if (g_actionRunning) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      // A close asked for while the action runs (the taskbar, another program) waits for its end,
      // so the action never works on a window that is gone.
      if (g_actionRunning) {
        g_closeAfterAction = true;
        return 0;
      }
      break;
    case WM_ACTIVATE:
      // Give the focus back to the control that had it, as a dialog does.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        g_focusBeforeDeactivation = focus != nullptr && IsChild(window, focus) ? focus : nullptr;
      } else if (g_focusBeforeDeactivation != nullptr && IsWindow(g_focusBeforeDeactivation)) {
        SetFocus(g_focusBeforeDeactivation);
        return 0;
      }
      break;
    case WM_NCDESTROY:
      if (window == g_window) {
        g_window = nullptr;
        g_focusBeforeDeactivation = nullptr;
        // Wakes a message loop that waits in GetMessage, so that it sees the window is gone.
        PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// The program's icon: its own size for the big icon, the system's small size for the title bar.
// Shared icons belong to the system; nothing to release.
HICON LoadOwnIcon(HINSTANCE instance, WPARAM which) {
  const int size = which == ICON_SMALL ? GetSystemMetrics(SM_CXSMICON) : 0;
  return static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(kIconResourceId), IMAGE_ICON, size, size, LR_SHARED));
}

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  if (GetClassInfoExW(instance, kClassName, &windowClass)) {
    return true;
  }
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadOwnIcon(instance, ICON_BIG);
  windowClass.hIconSm = LoadOwnIcon(instance, ICON_SMALL);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  return RegisterClassExW(&windowClass) != 0;
}

}  // namespace

HWND MainWindow() {
  return g_window;
}

HWND ControlWindow(Control control, ControlKind kind, std::string_view operation) {
  if (LayoutOf(control).kind != kind) {
    StopOnInternalError(std::string(operation) + " on " + std::string(LayoutOf(control).name) +
                        ", a control of another kind");
  }
  return g_window != nullptr ? GetDlgItem(g_window, ControlId(control)) : nullptr;
}

void DisconnectMainWindowEvents() {
  g_events = {};
}

}  // namespace platform::win32

namespace platform {

bool LoadMainWindow(const MainWindowEvents& events) {
  using namespace platform::win32;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterMainWindowClass(instance)) {
    return false;
  }
  if (g_window != nullptr) {
    DestroyWindow(g_window);  // one main window at a time
  }
  g_events = events;

  // Fixed border, minimise but no maximise; hidden until the created event has run.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kMainWindowWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kMainWindowHeight) / 2;
  HWND window = CreateWindowExW(WS_EX_APPWINDOW, kClassName, WideFromUtf8(kMainWindowTitle).c_str(),
                                style, left, top, kMainWindowWidth, kMainWindowHeight, nullptr,
                                nullptr, instance, nullptr);
  if (window == nullptr) {
    g_events = {};
    return false;
  }
  g_window = window;
  for (WPARAM which : {ICON_BIG, ICON_SMALL}) {
    SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(LoadOwnIcon(instance, which)));
  }

  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  CreateMainWindowControls(window, instance, font);

  Raise(g_events.created);
  if (g_window != window) {
    return true;  // the created handler closed the window
  }
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  if (HWND first = GetNextDlgTabItem(window, nullptr, FALSE)) {
    SetFocus(first);
  }
  return true;
}

}  // namespace platform
