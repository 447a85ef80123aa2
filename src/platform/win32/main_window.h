// Windows builds only: the one main window of the process and its controls, for the files of
// the real window (and for tests that drive it in-process).
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/main_window_layout.h"

namespace platform::win32 {

// Posted by the window to itself when the user has confirmed a choice in 组合框1.
inline constexpr UINT kAdapterSelectedMessage = WM_APP + 1;

// Control ids stay clear of IDOK and IDCANCEL, which the dialog manager sends for Enter.
inline constexpr int kFirstControlId = 1001;
constexpr int ControlId(Control control) {
  return kFirstControlId + static_cast<int>(control);
}

HWND MainWindow();  // null when there is none

// The control in the current main window, or null when there is no window. Asking for a control
// of another kind than the operation handles is an internal error of the caller.
HWND ControlWindow(Control control, ControlKind kind, std::string_view operation);

// Creates the controls of the layout table in `window`, each with the font.
void CreateMainWindowControls(HWND window, HINSTANCE instance, HFONT font);

// One message of the loop: Esc for the main window closes it, Tab and the other dialog keys move
// the focus between the controls, everything else is dispatched.
void ProcessLoopMessage(MSG& message);

// After this the window's events call nothing (used when the program is about to stop).
void DisconnectMainWindowEvents();

}  // namespace platform::win32
