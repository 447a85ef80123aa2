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
  void (*effect)(const std::string&, const platform::ProcessResult&) = nullptr;
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

void SetProcessEffect(void (*effect)(const std::string& commandLine,
                                     const platform::ProcessResult& result)) {
  TheStandIn().effect = effect;
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
  ProcessResult result = standIn.defaultResult;
  if (!standIn.script.empty()) {
    result = standIn.script.front();
    standIn.script.pop_front();
  }
  if (standIn.effect != nullptr) {
    standIn.effect(std::string(commandLine), result);
  }
  return result;
}

}  // namespace platform
