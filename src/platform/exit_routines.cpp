// The exit routine list of the run time. Portable: the Windows entry point and the host tests
// both run it after ProgramMain has returned.
#include <algorithm>
#include <vector>

#include "platform/gui_runtime.h"

namespace platform {
namespace {

std::vector<void (*)()>& ExitRoutines() {
  static std::vector<void (*)()> routines;
  return routines;
}

}  // namespace

void RegisterExitRoutine(void (*routine)()) {
  auto& routines = ExitRoutines();
  if (routine != nullptr &&
      std::find(routines.begin(), routines.end(), routine) == routines.end()) {
    routines.push_back(routine);
  }
}

// The list is taken out before the first routine runs: each routine runs once even if
// RunExitRoutines is called again, and one registered while they run waits for the next call.
void RunExitRoutines() {
  std::vector<void (*)()> routines;
  routines.swap(ExitRoutines());
  for (void (*routine)() : routines) {
    routine();
  }
}

}  // namespace platform
