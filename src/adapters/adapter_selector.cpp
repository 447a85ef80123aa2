#include "adapters/adapter_selector.h"

#include "adapters/adapter_query.h"
#include "app/app_state.h"
#include "platform/controls.h"

namespace {

void AddConnectionItems(const std::vector<AdapterRecord>& list) {
  for (const AdapterRecord& record : list) {
    platform::AddComboItem(Control::组合框1, record.connectionName);
  }
}

void ShowRecord(const AdapterRecord& record) {
  platform::SetEditText(Control::编辑框_MAC, record.macText);
  platform::SetAddress(Control::IP编辑框_IP, record.ipAddress);
  platform::SetAddress(Control::IP编辑框_DNS1, record.dns1);
  platform::SetAddress(Control::IP编辑框_DNS2, record.dns2);
}

}  // namespace

void RefreshAdapterList() {
  AppState& state = TheAppState();
  QueryAdapters(state.AdapterList);
  // Not emptied first: at start-up it is empty, and after a DNS change RestoreAdapterSelection
  // refills it at once.
  AddConnectionItems(state.AdapterList);
  platform::SetComboSelection(Control::组合框1, 0);
}

void ShowAdapterDetails() {
  const int selection = platform::ComboSelection(Control::组合框1);
  if (selection == -1) {
    return;
  }
  ShowRecord(AdapterAt(TheAppState().AdapterList, selection));
}

void OnAdapterSelected() {
  const int selection = platform::ComboSelection(Control::组合框1);
  if (selection == -1) {
    return;
  }
  AppState& state = TheAppState();
  ShowRecord(AdapterAt(state.AdapterList, selection));
  state.savedAdapterIndex = platform::ComboSelection(Control::组合框1);
}

void RestoreAdapterSelection() {
  const AppState& state = TheAppState();
  platform::EmptyComboList(Control::组合框1);
  AddConnectionItems(state.AdapterList);
  platform::SetComboSelection(Control::组合框1, state.savedAdapterIndex);
  ShowAdapterDetails();
}
