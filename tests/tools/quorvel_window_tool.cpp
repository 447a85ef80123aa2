// A small helper for scripts that run quorvel.exe without a user (the run command's screenshot):
//   quorvel_window_tool [--desktop NAME] wait MILLISECONDS
//       exits 0 once the main window is visible, 1 otherwise
//   quorvel_window_tool [--desktop NAME] close
//       presses Esc in the main window and exits with the program's exit code (99: it did not end)
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
  // A program started with "explorer /desktop=NAME" lives on that desktop; look there.
  if (argc >= 3 && std::wcscmp(argv[1], L"--desktop") == 0) {
    // The desktop appears when the program's explorer has started; give it a few seconds.
    HDESK desktop = nullptr;
    for (int i = 0; i < 100 && !desktop; ++i) {
      desktop = OpenDesktopW(argv[2], 0, FALSE, GENERIC_ALL);
      if (!desktop) {
        Sleep(100);
      }
    }
    if (!desktop || !SetThreadDesktop(desktop)) {
      std::fprintf(stderr, "cannot open the desktop\n");
      return 2;
    }
    argc -= 2;
    argv += 2;
  }
  if (argc >= 3 && std::wcscmp(argv[1], L"wait") == 0) {
    return FindMainWindow(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10))) ? 0 : 1;
  }
  if (argc >= 2 && std::wcscmp(argv[1], L"close") == 0) {
    HWND window = FindMainWindow(0);
    if (!window) {
      return 1;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    driver::PressKey(window, VK_ESCAPE);
    DWORD exitCode = 99;
    if (process && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0) {
      GetExitCodeProcess(process, &exitCode);
    }
    if (process) {
      CloseHandle(process);
    }
    return static_cast<int>(exitCode);
  }
  std::fprintf(stderr, "usage: quorvel_window_tool wait MILLISECONDS | close\n");
  return 2;
}
