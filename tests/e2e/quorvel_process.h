// Starts the released quorvel.exe named by the QUORVEL_EXE environment variable (a Unix path;
// ctest sets it) and finds its main window.
#pragma once

#include <string>

#include "tools/window_driver.h"

namespace e2e {

inline const std::wstring kMainWindowTitle = L"Quorvel\u5DE5\u5177";  // "Quorvel工具"

// The Windows path of the exe under test, or "" when QUORVEL_EXE is not set.
std::string QuorvelExePath();
// Its folder, with a trailing backslash.
std::string QuorvelExeFolder();

// Starts the exe and waits for its visible main window; null window when it did not appear.
HWND StartQuorvel(driver::Program& program, DWORD milliseconds = 20000);

// The controls of the main window in creation order (the 17 direct children).
std::vector<HWND> MainWindowControls(HWND mainWindow);

}  // namespace e2e
