// Start-up services of the windowing run time: initialise, the exit routine list, loading the
// main window with its events bound, and the message loop.
#pragma once

#include <string_view>

namespace platform {

// What the main window calls when its events happen. Any of them may be null (nothing bound).
struct MainWindowEvents {
  void (*created)() = nullptr;                // controls exist, window not yet shown
  void (*refreshLatencyClicked)() = nullptr;  // 按钮_刷新延时
  void (*adapterSelected)() = nullptr;        // 组合框1: the user confirmed a choice (posted)
  void (*setDnsClicked)() = nullptr;          // 按钮_设置选中DNS
};

// First of all: registers the common control classes the main window is made of.
bool InitGuiRuntime();

// Routines run once each, in registration order, when the program ends normally.
// Registering a routine that is already in the list adds nothing.
void RegisterExitRoutine(void (*routine)());
void RunExitRoutines();

// Creates the window hidden with all its controls, raises `created`, then shows the window
// centred on the primary screen. False when the window cannot be created.
bool LoadMainWindow(const MainWindowEvents& events);

// Dispatches messages until no main window is left; returns at once when there is none.
void RunMessageLoop();

// Tells the user that the program cannot go on (stop icon), for fatal start-up failures.
void ShowFatalError(std::string_view text);

// Ends the process at once with the code, running no exit routines.
[[noreturn]] void EndProcessNow(int exitCode);

}  // namespace platform
