#include "latency/latency_list.h"

#include "app/app_state.h"
#include "platform/controls.h"
#include "platform/probe.h"

namespace {

constexpr int kProviderCount = 5;

enum Column : int {
  kName = 0,
  kPrimary = 1,
  kSecondary = 2,
  kPrimaryLatency = 3,
  kSecondaryLatency = 4
};

}  // namespace

std::string LatencyText(std::int32_t milliseconds) {
  return std::to_string(milliseconds) + "ms";
}

void RefreshLatencyList() {
  constexpr Control list = Control::超级列表框1;
  AppState& state = TheAppState();
  // providerNumber counts the providers from 1 and is left at 6 when all five are listed.
  for (state.providerNumber = 1; state.providerNumber <= kProviderCount; ++state.providerNumber) {
    const int slot = state.providerNumber - 1;
    const std::string& name = SlotAt(state.providerNames, slot, "providerNames");
    const std::string& primary = SlotAt(state.primaryAddresses, slot, "primaryAddresses");
    const std::string& secondary = SlotAt(state.secondaryAddresses, slot, "secondaryAddresses");

    state.currentRow = platform::InsertListRow(list);
    platform::SetListCellText(list, state.currentRow, kName, name);
    platform::SetListCellText(list, state.currentRow, kPrimary, primary);
    platform::SetListCellText(list, state.currentRow, kSecondary, secondary);
    platform::SetListCellText(list, state.currentRow, kPrimaryLatency,
                              LatencyText(platform::ProbeLatency(primary, kLatencyProbeTimeoutMs)));
    platform::SetListCellText(
        list, state.currentRow, kSecondaryLatency,
        LatencyText(platform::ProbeLatency(secondary, kLatencyProbeTimeoutMs)));
  }
}

void OnRefreshLatencyClicked() {
  platform::DeleteAllListRows(Control::超级列表框1);
  RefreshLatencyList();
}
