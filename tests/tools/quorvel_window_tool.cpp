// A small helper for scripts that run quorvel.exe without a user (the run command's screenshot):
//   quorvel_window_tool wait MILLISECONDS   exits 0 once the main window is visible, 1 otherwise
//   quorvel_window_tool close               presses Esc in the main window
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "tools/window_driver.h"

namespace {

const wchar_t kTitle[] = L"Quorvel\u5DE5\u5177";  // "Quorvel工具"

HWND FindMainWindow(DWORD milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  for (;;) {
    HWND window = FindWindowW(nullptr, kTitle);
    if ((window && IsWindowVisible(window)) || GetTickCount64() >= deadline) {
      return window && IsWindowVisible(window) ? window : nullptr;
    }
    Sleep(100);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 3 && std::wcscmp(argv[1], L"wait") == 0) {
    return FindMainWindow(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10))) ? 0 : 1;
  }
  if (argc >= 2 && std::wcscmp(argv[1], L"close") == 0) {
    HWND window = FindMainWindow(0);
    if (!window) {
      return 1;
    }
    driver::PressKey(window, VK_ESCAPE);
    return 0;
  }
  std::fprintf(stderr, "usage: quorvel_window_tool wait MILLISECONDS | close\n");
  return 2;
}
