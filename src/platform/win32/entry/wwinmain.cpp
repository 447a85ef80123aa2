#include <windows.h>

#include "app/program_main.h"
#include "platform/gui_runtime.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const int exitCode = ProgramMain();
  platform::RunExitRoutines();
  return exitCode;
}
