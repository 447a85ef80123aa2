#include <gtest/gtest.h>

#include <string>

#include "platform/gui_runtime.h"

namespace {

std::string g_calls;
void First() {
  g_calls += "1";
}
void Second() {
  g_calls += "2";
}
void RegistersFirstAgain() {
  g_calls += "r";
  platform::RegisterExitRoutine(First);
}

TEST(ExitRoutines, RunOnceEachInRegistrationOrder) {
  g_calls.clear();
  platform::RegisterExitRoutine(Second);
  platform::RegisterExitRoutine(First);
  platform::RegisterExitRoutine(Second);  // already in the list: adds nothing
  platform::RegisterExitRoutine(nullptr);
  platform::RunExitRoutines();
  EXPECT_EQ(g_calls, "21");
  platform::RunExitRoutines();
  EXPECT_EQ(g_calls, "21") << "each routine runs once";
}

TEST(ExitRoutines, ARoutineRegisteredWhileTheyRunWaitsForTheNextRun) {
  g_calls.clear();
  platform::RegisterExitRoutine(RegistersFirstAgain);
  platform::RunExitRoutines();
  EXPECT_EQ(g_calls, "r");
  platform::RunExitRoutines();
  EXPECT_EQ(g_calls, "r1");
}

}  // namespace
