// The one process-wide state of the program, alive from start-up to the normal end.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "adapters/adapter_record.h"

// Six slots per table; slots 0 to 4 hold the providers and slot 5 stays empty.
inline constexpr int kProviderSlots = 6;
using TextTable = std::array<std::string, kProviderSlots>;

struct AppState {
  TextTable providerNames;
  TextTable primaryAddresses;
  TextTable secondaryAddresses;
  std::vector<AdapterRecord> AdapterList;
  std::int32_t providerNumber = 0;
  std::int32_t currentRow = 0;
  std::int32_t savedAdapterIndex = 0;
};

void InitAppState();
void ReleaseAppState();

// The state made by InitAppState; using it before or after its life is an internal error.
AppState& TheAppState();
bool AppStateExists();

// Index-checked access: an index outside the container stops the program as an internal error.
const std::string& SlotAt(const TextTable& table, int slot, std::string_view tableName);
std::string& SlotAt(TextTable& table, int slot, std::string_view tableName);
const AdapterRecord& AdapterAt(const std::vector<AdapterRecord>& list, int index);
