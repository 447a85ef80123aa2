// The program's start and end on the host run time: the order of the start-up services, the
// release of the state at the normal end, and the fatal stop when the window cannot be made.
#include "app/program_main.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "platform/gui_runtime.h"
#include "platform/host/in_memory_window.h"
#include "platform/host/journal.h"

namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Not;

std::vector<std::string> g_seen;

void SeeStateBefore() {
  g_seen.push_back(AppStateExists() ? "before: state" : "before: none");
}

// Runs after ReleaseAppState; makes a new state, which a second release would take away.
void SeeStateAfterAndMakeANewOne() {
  g_seen.push_back(AppStateExists() ? "after: state" : "after: none");
  InitAppState();
}

void MarkExitRoutinesRan() {
  std::fputs("exit routines ran\n", stderr);
}

// True when `wanted` appears in `journal` in this order, other entries in between allowed.
bool InOrder(const std::vector<std::string>& journal, const std::vector<std::string>& wanted) {
  auto at = journal.begin();
  for (const std::string& entry : wanted) {
    at = std::find(at, journal.end(), entry);
    if (at == journal.end()) {
      return false;
    }
    ++at;
  }
  return true;
}

class ProgramMainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_seen.clear();
    host::ResetMainWindow();
    host::UserClosesWindow();
    host::ClearJournal();
  }
  void TearDown() override {
    platform::RunExitRoutines();
    ReleaseAppState();
  }
};

TEST_F(ProgramMainTest, RunsUntilTheWindowIsClosedThenTheExitRoutinesReleaseTheStateOnce) {
  platform::RegisterExitRoutine(SeeStateBefore);
  host::ScriptUserActions({[] {
    g_seen.push_back(AppStateExists() && host::MainWindowVisible() ? "running" : "not running");
    host::UserClosesWindow();
  }});

  EXPECT_EQ(ProgramMain(), 0);
  EXPECT_THAT(g_seen, ::testing::ElementsAre("running"));
  EXPECT_TRUE(AppStateExists()) << "the state lives until the exit routines run";
  EXPECT_TRUE(
      InOrder(host::Journal(), {"InitGuiRuntime", "LoadMainWindow", "MainWindowShown",
                                "RunMessageLoop", "UserClosesWindow", "RunMessageLoop ended"}));

  platform::RegisterExitRoutine(SeeStateAfterAndMakeANewOne);
  platform::RegisterExitRoutine(ReleaseAppState);  // already registered: adds nothing
  platform::RunExitRoutines();
  EXPECT_THAT(g_seen, ::testing::ElementsAre("running", "before: state", "after: none"));
  EXPECT_TRUE(AppStateExists()) << "ReleaseAppState ran a second time";
}

TEST_F(ProgramMainTest, WindowCreationFailureEndsWithMinusOneWithoutReleasingTheState) {
  host::FailNextWindowCreation();
  EXPECT_EXIT(
      {
        platform::RegisterExitRoutine(MarkExitRoutinesRan);
        ProgramMain();
        platform::RunExitRoutines();
        std::fputs("ProgramMain returned\n", stderr);
        std::_Exit(0);
      },
      ::testing::ExitedWithCode(255),  // -1 as the system reports an exit status
      AllOf(HasSubstr("fatal error: "), Not(HasSubstr("exit routines ran")),
            Not(HasSubstr("ProgramMain returned"))));
}

}  // namespace
