#include "platform/dialogs.h"

#include <windows.h>

#include "platform/win32/responsive_wait.h"
#include "platform/win32/wide_text.h"

namespace platform {

void ShowMessage(std::string_view text, MessageIcon icon, std::string_view title) {
  // Keys and clicks made before the box appeared must not dismiss it unread.
  win32::DiscardQueuedInput();
  // No owner and task-modal: the main window is disabled until the box is dismissed.
  MessageBoxW(nullptr, win32::WideFromUtf8(text).c_str(), win32::WideFromUtf8(title).c_str(),
              MB_OK | static_cast<UINT>(icon) | MB_TASKMODAL);
}

void Pause(int milliseconds) {
  win32::WaitKeepingWindowsAlive(nullptr, static_cast<DWORD>(milliseconds < 0 ? 0 : milliseconds));
}

}  // namespace platform
