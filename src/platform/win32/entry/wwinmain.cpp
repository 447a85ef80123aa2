#include <windows.h>

#include "app/program_main.h"
#include "platform/gui_runtime.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Users start the program as administrator: from here on every DLL that is loaded by name,
  // also by the system's own DLLs, comes from System32 and never from the exe's or the current
  // folder. The exe imports only DLLs that Windows takes from System32 anyway.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  const int exitCode = ProgramMain();
  platform::RunExitRoutines();
  return exitCode;
}
