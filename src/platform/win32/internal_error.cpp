#include "platform/internal_error.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/main_window_layout.h"
#include "platform/win32/main_window.h"
#include "platform/win32/wide_text.h"

namespace platform {

void StopOnInternalError(std::string_view what) {
  // No handler may run while the box is up: its message loop still serves the main window.
  win32::DisconnectMainWindowEvents();
  std::fprintf(stderr, "Quorvel: internal error: %.*s\n", static_cast<int>(what.size()),
               what.data());
  std::fflush(stderr);
  const std::string text = "程序内部错误，即将退出：\n" + std::string(what);
  MessageBoxW(nullptr, win32::WideFromUtf8(text).c_str(),
              win32::WideFromUtf8(kMainWindowTitle).c_str(), MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  ExitProcess(3);
}

}  // namespace platform
