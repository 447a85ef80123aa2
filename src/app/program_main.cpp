#include "app/program_main.h"

#include "app/app_state.h"
#include "app/main_window_events.h"
#include "platform/gui_runtime.h"

int ProgramMain() {
  platform::InitGuiRuntime();
  InitAppState();
  platform::RegisterExitRoutine(ReleaseAppState);
  if (!platform::LoadMainWindow(MainWindowEventBindings())) {
    platform::ShowFatalError("无法创建主窗口，程序将退出。");
    platform::EndProcessNow(-1);
  }
  platform::RunMessageLoop();
  return 0;
}
