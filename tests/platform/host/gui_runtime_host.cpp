// The run time of the in-memory window: loading it, and a message loop that plays the user
// actions a test scripted.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/gui_runtime.h"
#include "platform/host/in_memory_window.h"
#include "platform/host/in_memory_window_state.h"
#include "platform/host/journal.h"

namespace platform {

bool InitGuiRuntime() {
  host::Record("InitGuiRuntime");
  return true;
}

bool LoadMainWindow(const MainWindowEvents& events) {
  if (host::detail::Script().failNextCreation) {
    host::detail::Script().failNextCreation = false;
    host::Record("LoadMainWindow -> failed");
    return false;
  }
  host::detail::CreateWindowState(events);
  host::Record("LoadMainWindow");
  if (events.created != nullptr) {
    events.created();
  }
  host::detail::Window().visible = true;
  host::Record("MainWindowShown");
  return true;
}

// Plays the scripted user actions one by one, delivering posted events after each. When the
// script runs out while the window is still open, the user closes it: a host test never blocks.
void RunMessageLoop() {
  host::Record("RunMessageLoop");
  auto& actions = host::detail::Script().userActions;
  host::DispatchPostedEvents();
  while (host::MainWindowExists() && !actions.empty()) {
    const std::function<void()> action = std::move(actions.front());
    actions.pop_front();
    action();
    host::DispatchPostedEvents();
  }
  actions.clear();
  if (host::MainWindowExists()) {
    host::UserClosesWindow();
  }
  host::Record("RunMessageLoop ended");
}

void ShowFatalError(std::string_view text) {
  host::Record("ShowFatalError " + std::string(text));
  std::fprintf(stderr, "Quorvel: fatal error: %.*s\n", static_cast<int>(text.size()), text.data());
}

void EndProcessNow(int exitCode) {
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(exitCode);
}

}  // namespace platform
