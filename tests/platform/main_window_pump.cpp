#include "platform/main_window_pump.h"

#include "platform/win32/main_window.h"

namespace driver {

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    platform::win32::ProcessLoopMessage(message);
  }
}

void PressKey(UINT virtualKey) {
  HWND target = GetFocus();
  if (target == nullptr) {
    target = platform::win32::MainWindow();
  }
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(target, WM_KEYDOWN, virtualKey, 1 | scan);
  PostMessageW(target, WM_KEYUP, virtualKey, 1 | scan | (LPARAM{3} << 30));
  PumpMessages();
}

}  // namespace driver
