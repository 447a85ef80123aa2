// Start-up services of the real run time: common controls, the message loop, fatal errors.
#include <windows.h>

#include <commctrl.h>

#include "platform/gui_runtime.h"
#include "platform/win32/main_window.h"
#include "platform/win32/wide_text.h"

namespace platform {

bool InitGuiRuntime() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_INTERNET_CLASSES;
  return InitCommonControlsEx(&controls) != FALSE;
}

void RunMessageLoop() {
  MSG message;
  while (win32::MainWindow() != nullptr) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // leave WM_QUIT to an outer loop
      return;
    }
    if (got == -1) {
      return;
    }
    win32::ProcessLoopMessage(message);
  }
}

void ShowFatalError(std::string_view text) {
  MessageBoxW(nullptr, win32::WideFromUtf8(text).c_str(),
              win32::WideFromUtf8(kMainWindowTitle).c_str(), MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

void EndProcessNow(int exitCode) {
  ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace platform

namespace platform::win32 {

void ProcessLoopMessage(MSG& message) {
  HWND window = MainWindow();
  if (window != nullptr && message.hwnd != nullptr &&
      (message.hwnd == window || IsChild(window, message.hwnd))) {
    // Esc closes the window whichever control has the focus: no control sees the key.
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
      SendMessageW(window, WM_CLOSE, 0, 0);
      return;
    }
    // Tab and Shift+Tab through the focus stops, Enter and Space on buttons.
    if (IsDialogMessageW(window, &message)) {
      return;
    }
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace platform::win32
