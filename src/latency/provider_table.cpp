#include "latency/provider_table.h"

#include <array>
#include <string_view>

#include "app/app_state.h"

namespace {

struct Provider {
  std::string_view name;
  std::string_view primary;
  std::string_view secondary;  // empty: the provider runs no second resolver
};

constexpr std::array<Provider, 5> kProviders = {{
    {"DNSPod", "119.29.29.29", "182.254.116.116"},
    {"百度 DNS", "180.76.76.76", ""},
    {"阿里 DNS", "223.5.5.5", "223.6.6.6"},
    {"SDNS DNS", "1.2.4.8", "202.98.0.68"},
    {"DNS派", "101.226.4.6", "218.30.118.6"},
}};
static_assert(kProviders.size() < kProviderSlots, "the last slot of each table stays empty");

}  // namespace

void FillProviderTable() {
  AppState& state = TheAppState();
  for (int slot = 0; slot < static_cast<int>(kProviders.size()); ++slot) {
    const Provider& provider = kProviders[static_cast<std::size_t>(slot)];
    SlotAt(state.providerNames, slot, "providerNames") = provider.name;
    SlotAt(state.primaryAddresses, slot, "primaryAddresses") = provider.primary;
    SlotAt(state.secondaryAddresses, slot, "secondaryAddresses") = provider.secondary;
  }
}
