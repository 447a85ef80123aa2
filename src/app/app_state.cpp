#include "app/app_state.h"

#include <optional>
#include <string>

#include "platform/internal_error.h"

namespace {

std::optional<AppState> g_appState;

[[noreturn]] void IndexOutOfRange(std::string_view container, int index, std::size_t size) {
  platform::StopOnInternalError("index " + std::to_string(index) + " is outside " +
                                std::string(container) + " (" + std::to_string(size) + " entries)");
}

}  // namespace

void InitAppState() {
  g_appState.emplace();
}

void ReleaseAppState() {
  g_appState.reset();
}

bool AppStateExists() {
  return g_appState.has_value();
}

AppState& TheAppState() {
  if (!g_appState) {
    platform::StopOnInternalError("the application state is used outside its lifetime");
  }
  return *g_appState;
}

std::string& SlotAt(TextTable& table, int slot, std::string_view tableName) {
  if (slot < 0 || slot >= kProviderSlots) {
    IndexOutOfRange(tableName, slot, table.size());
  }
  return table[static_cast<std::size_t>(slot)];
}

const std::string& SlotAt(const TextTable& table, int slot, std::string_view tableName) {
  return SlotAt(const_cast<TextTable&>(table), slot, tableName);
}

const AdapterRecord& AdapterAt(const std::vector<AdapterRecord>& list, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) {
    IndexOutOfRange("AdapterList", index, list.size());
  }
  return list[static_cast<std::size_t>(index)];
}
