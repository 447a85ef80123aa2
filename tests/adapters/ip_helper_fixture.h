// A machine of scripted network answers, fresh for every test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/host/ip_helper_script.h"
#include "platform/host/journal.h"

class ScriptedMachineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host::ResetIpHelper();
    host::ClearJournal();
  }

  static int JournalCount(const std::string& prefix) {
    const auto& journal = host::Journal();
    return static_cast<int>(std::count_if(journal.begin(), journal.end(),
                                          [&](const auto& e) { return e.rfind(prefix, 0) == 0; }));
  }

  // Position of the first journal entry starting with prefix, or -1.
  static int JournalPosition(const std::string& prefix) {
    const auto& journal = host::Journal();
    for (std::size_t i = 0; i < journal.size(); ++i) {
      if (journal[i].rfind(prefix, 0) == 0) {
        return static_cast<int>(i);
      }
    }
    return -1;
  }
};

inline host::ScriptedAdapter Ethernet(std::string guid, std::uint32_t index, std::string ip,
                                      std::vector<std::string> dns = {}) {
  host::ScriptedAdapter adapter;
  adapter.adapterName = std::move(guid);
  adapter.description = "Scripted Ethernet Adapter";
  adapter.address = {0x02, 0x1A, 0x0B, 0xC4, 0x5D, static_cast<std::uint8_t>(index)};
  adapter.index = index;
  adapter.ipAddresses = {{std::move(ip), "255.255.255.0"}};
  adapter.gateways = {"10.0.0.1"};
  adapter.dnsServers = std::move(dns);
  return adapter;
}

inline std::u16string DevicePath(const std::u16string& guid) {
  return u"\\DEVICE\\TCPIP_" + guid;
}

// The system has these connections, in this order, named by `names` through the system's
// adapter-address list (the router configuration is not available, as under Wine).
inline void ScriptConnections(const std::vector<host::ScriptedAdapter>& adapters,
                              const std::vector<std::u16string>& names) {
  host::SetAdapters(adapters);
  host::SetRouterConnectAnswer(platform::kErrorNotSupported);
  std::vector<host::ScriptedInterface> interfaces;
  std::vector<platform::AdapterFriendlyName> friendly;
  for (std::size_t i = 0; i < adapters.size(); ++i) {
    const std::u16string guid(adapters[i].adapterName.begin(), adapters[i].adapterName.end());
    interfaces.push_back({adapters[i].index, DevicePath(guid)});
    friendly.push_back({adapters[i].adapterName, names[i]});
  }
  host::SetInterfaces(interfaces);
  host::SetAddressesFriendlyNames(friendly);
}
