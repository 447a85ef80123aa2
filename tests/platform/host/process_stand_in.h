// Host builds only: the stand-in behind platform::RunHidden. It starts nothing; it records each
// command line (in the host journal as "RunHidden <command line>" and in its own list, with the
// wait limit) and answers with the results a test scripted, in order.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "platform/process.h"

namespace host {

struct ProcessCall {
  std::string commandLine;
  std::chrono::milliseconds waitLimit;
};

// Answers for the next calls, first to last. When they are used up, every further call answers
// with the default answer.
void ScriptProcessResults(std::vector<platform::ProcessResult> results);
// The answer once the script is used up; at reset it is "exited with 0".
void SetDefaultProcessResult(platform::ProcessResult result);
// Called with each command line and the answer it gets, after the call is recorded: a test can
// make the scripted system change as the command would. Null for none.
void SetProcessEffect(void (*effect)(const std::string& commandLine,
                                     const platform::ProcessResult& result));
// Forgets the script, the calls, the effect and the default answer.
void ResetProcessStandIn();
const std::vector<ProcessCall>& ProcessCalls();

// Shorthands for the three outcomes a test scripts.
inline platform::ProcessResult NotStarted() {
  return {platform::ProcessOutcome::NotStarted, 0};
}
inline platform::ProcessResult TimedOut() {
  return {platform::ProcessOutcome::TimedOut, 0};
}
inline platform::ProcessResult ExitsWith(unsigned long code) {
  return {platform::ProcessOutcome::Exited, code};
}

}  // namespace host
