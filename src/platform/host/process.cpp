#include "platform/process.h"

#include <deque>
#include <string>

#include "platform/host/journal.h"
#include "platform/host/process_stand_in.h"

namespace host {
namespace {

struct StandIn {
  std::deque<platform::ProcessResult> script;
  platform::ProcessResult defaultResult = ExitsWith(0);
  std::vector<ProcessCall> calls;
};

StandIn& TheStandIn() {
  static StandIn standIn;
  return standIn;
}

}  // namespace

void ScriptProcessResults(std::vector<platform::ProcessResult> results) {
  TheStandIn().script.assign(results.begin(), results.end());
}

void SetDefaultProcessResult(platform::ProcessResult result) {
  TheStandIn().defaultResult = result;
}

void ResetProcessStandIn() {
  TheStandIn() = StandIn{};
}

const std::vector<ProcessCall>& ProcessCalls() {
  return TheStandIn().calls;
}

}  // namespace host

namespace platform {

ProcessResult RunHidden(std::string_view commandLine, std::chrono::milliseconds waitLimit) {
  host::StandIn& standIn = host::TheStandIn();
  standIn.calls.push_back({std::string(commandLine), waitLimit});
  host::Record("RunHidden " + std::string(commandLine));
  if (standIn.script.empty()) {
    return standIn.defaultResult;
  }
  const ProcessResult result = standIn.script.front();
  standIn.script.pop_front();
  return result;
}

}  // namespace platform
