// Host stand-ins for the network-configuration queries: answers from the script of
// ip_helper_script.h, written into the caller's buffer the way the system lays them out.
#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/host/ip_helper_script.h"
#include "platform/host/journal.h"
#include "platform/ip_helper.h"
#include "platform/text_utf16.h"

namespace host {
namespace {

constexpr std::uint32_t kErrorInvalidHandle = 6;
constexpr std::uint32_t kErrorNotFound = 1168;

struct Machine {
  std::vector<ScriptedAdapter> adapters;
  QueryScript adaptersInfoScript;
  AnswerBytes adaptersInfoBytes;
  std::vector<std::uint8_t> interfaceTable;
  QueryScript interfaceInfoScript;
  std::uint32_t routerConnectAnswer = platform::kNoError;
  std::map<std::u16string, std::u16string> routerNames;
  int openRouterConnections = 0;
  int routerConnectionsMade = 0;
  std::vector<platform::AdapterFriendlyName> addressesNames;
  struct DnsChange {
    std::uint32_t index = 0;
    std::vector<std::string> servers;
    int readsBefore = 0;
  };
  std::optional<DnsChange> pendingDnsChange;
};

Machine& TheMachine() {
  static Machine machine;
  return machine;
}

template <std::size_t N>
void CopyText(char (&array)[N], const std::string& text) {
  std::memcpy(array, text.data(), std::min(N, text.size()));
}

// A system answer built as if it were to be written at `base`, so its pointers point into the
// caller's buffer.
struct Image {
  std::uintptr_t base = 0;
  std::vector<std::uint8_t> bytes;

  template <typename T>
  T* PointerAt(std::size_t offset) const {
    return reinterpret_cast<T*>(base + offset);
  }
  template <typename T>
  void Put(std::size_t offset, const T& record) {
    std::memcpy(bytes.data() + offset, &record, sizeof record);
  }
};

platform::IP_ADDR_STRING AddrString(const std::string& address, const std::string& mask) {
  platform::IP_ADDR_STRING entry{};
  CopyText(entry.IpAddress.String, address);
  CopyText(entry.IpMask.String, mask);
  return entry;
}

// Fills `first` from the list and writes the rest at `offset` on, each linked to the next;
// returns the offset after them.
std::size_t PutAddressList(Image& image, platform::IP_ADDR_STRING& first,
                           const std::vector<ScriptedAddress>& list, std::size_t offset) {
  if (list.empty()) {
    return offset;
  }
  std::vector<platform::IP_ADDR_STRING> chained;
  for (std::size_t i = 1; i < list.size(); ++i) {
    chained.push_back(AddrString(list[i].address, list[i].mask));
  }
  first = AddrString(list[0].address, list[0].mask);
  constexpr std::size_t kEntry = sizeof(platform::IP_ADDR_STRING);
  if (!chained.empty()) {
    first.Next = image.PointerAt<platform::IP_ADDR_STRING>(offset);
  }
  for (std::size_t i = 0; i < chained.size(); ++i) {
    if (i + 1 < chained.size()) {
      chained[i].Next = image.PointerAt<platform::IP_ADDR_STRING>(offset + (i + 1) * kEntry);
    }
    image.Put(offset + i * kEntry, chained[i]);
  }
  return offset + chained.size() * kEntry;
}

std::vector<ScriptedAddress> AsAddresses(const std::vector<std::string>& texts) {
  std::vector<ScriptedAddress> list;
  for (const std::string& text : texts) {
    list.push_back({text, ""});
  }
  return list;
}

std::size_t ExtraEntries(std::size_t listSize) {
  return listSize > 1 ? listSize - 1 : 0;
}

Image AdaptersInfoImage(std::uintptr_t base) {
  if (TheMachine().adaptersInfoBytes) {
    return Image{base, TheMachine().adaptersInfoBytes(base)};
  }
  const auto& adapters = TheMachine().adapters;
  std::size_t extras = 0;
  for (const ScriptedAdapter& adapter : adapters) {
    extras += ExtraEntries(adapter.ipAddresses.size()) + ExtraEntries(adapter.gateways.size());
  }
  Image image{base, std::vector<std::uint8_t>(adapters.size() * sizeof(platform::IP_ADAPTER_INFO) +
                                              extras * sizeof(platform::IP_ADDR_STRING))};
  std::size_t extraOffset = adapters.size() * sizeof(platform::IP_ADAPTER_INFO);
  for (std::size_t i = 0; i < adapters.size(); ++i) {
    const ScriptedAdapter& adapter = adapters[i];
    platform::IP_ADAPTER_INFO node{};
    if (i + 1 < adapters.size()) {
      node.Next = image.PointerAt<platform::IP_ADAPTER_INFO>((i + 1) * sizeof node);
    }
    node.ComboIndex = static_cast<std::uint32_t>(i);
    CopyText(node.AdapterName, adapter.adapterName);
    CopyText(node.Description, adapter.description);
    const std::size_t stored = std::min(adapter.address.size(), sizeof node.Address);
    std::memcpy(node.Address, adapter.address.data(), stored);
    node.AddressLength = adapter.addressLength.value_or(static_cast<std::uint32_t>(stored));
    node.Index = adapter.index;
    node.Type = adapter.type;
    extraOffset = PutAddressList(image, node.IpAddressList, adapter.ipAddresses, extraOffset);
    extraOffset =
        PutAddressList(image, node.GatewayList, AsAddresses(adapter.gateways), extraOffset);
    image.Put(i * sizeof node, node);
  }
  return image;
}

Image PerAdapterImage(std::uintptr_t base, const ScriptedAdapter& adapter) {
  if (adapter.dnsAnswerBytes) {
    return Image{base, adapter.dnsAnswerBytes(base)};
  }
  const std::size_t extras = ExtraEntries(adapter.dnsServers.size());
  Image image{base, std::vector<std::uint8_t>(sizeof(platform::IP_PER_ADAPTER_INFO) +
                                              extras * sizeof(platform::IP_ADDR_STRING))};
  platform::IP_PER_ADAPTER_INFO info{};
  PutAddressList(image, info.DnsServerList, AsAddresses(adapter.dnsServers), sizeof info);
  image.Put(0, info);
  return image;
}

// The two-call protocol over an answer that `build` makes for a given buffer address.
template <typename Build>
std::uint32_t Answer(const char* query, const QueryScript& script, std::uint32_t overflowCode,
                     void* buffer, std::uint32_t* size, Build build) {
  const Image truth = build(reinterpret_cast<std::uintptr_t>(buffer));
  const auto trueSize = static_cast<std::uint32_t>(truth.bytes.size());
  if (buffer == nullptr) {
    Record(std::string(query) + ": size query");
    if (script.sizeQueryAnswer) {
      return *script.sizeQueryAnswer;
    }
    if (trueSize == 0) {
      return platform::kErrorNoData;
    }
    *size = script.reportedSize.value_or(trueSize);
    return overflowCode;
  }
  Record(std::string(query) + ": fill " + std::to_string(*size) + " bytes");
  const std::uint32_t answer = script.secondCallAnswer.value_or(platform::kNoError);
  if (answer != platform::kNoError) {
    return answer;
  }
  if (!script.reportedSize && *size < trueSize) {
    *size = trueSize;
    return overflowCode;
  }
  std::memcpy(buffer, truth.bytes.data(), std::min(*size, trueSize));
  return platform::kNoError;
}

}  // namespace

void ResetIpHelper() {
  TheMachine() = Machine{};
}

void SetAdapters(std::vector<ScriptedAdapter> adapters) {
  TheMachine().adapters = std::move(adapters);
}
void SetAdaptersInfoScript(QueryScript script) {
  TheMachine().adaptersInfoScript = script;
}
void SetAdaptersInfoBytes(AnswerBytes bytes) {
  TheMachine().adaptersInfoBytes = std::move(bytes);
}

std::vector<std::uint8_t> InterfaceTableBytes(const std::vector<ScriptedInterface>& interfaces) {
  std::vector<std::uint8_t> bytes(platform::kInterfaceCountBytes +
                                  interfaces.size() * platform::kInterfaceMapBytes);
  const auto count = static_cast<std::int32_t>(interfaces.size());
  std::memcpy(bytes.data(), &count, sizeof count);
  for (std::size_t i = 0; i < interfaces.size(); ++i) {
    platform::IP_ADAPTER_INDEX_MAP map{};
    map.Index = interfaces[i].index;
    std::copy_n(interfaces[i].name.begin(),
                std::min(interfaces[i].name.size(), platform::kInterfaceNameUnits), map.Name);
    std::memcpy(bytes.data() + platform::kInterfaceCountBytes + i * platform::kInterfaceMapBytes,
                &map, sizeof map);
  }
  return bytes;
}

void SetInterfaces(const std::vector<ScriptedInterface>& interfaces) {
  TheMachine().interfaceTable = InterfaceTableBytes(interfaces);
}
void SetInterfaceTableBytes(std::vector<std::uint8_t> bytes) {
  TheMachine().interfaceTable = std::move(bytes);
}
void SetInterfaceInfoScript(QueryScript script) {
  TheMachine().interfaceInfoScript = script;
}

void SetRouterConnectAnswer(std::uint32_t answer) {
  TheMachine().routerConnectAnswer = answer;
}
void SetRouterFriendlyName(const std::u16string& interfaceName, const std::u16string& friendly) {
  TheMachine().routerNames[interfaceName] = friendly;
}
int OpenRouterConnections() {
  return TheMachine().openRouterConnections;
}

void ChangeDnsServersAfterReads(std::uint32_t index, std::vector<std::string> servers, int reads) {
  TheMachine().pendingDnsChange = Machine::DnsChange{index, std::move(servers), reads};
}

std::vector<std::string> DnsServersOf(std::uint32_t index) {
  for (const ScriptedAdapter& adapter : TheMachine().adapters) {
    if (adapter.index == index) {
      return adapter.dnsServers;
    }
  }
  return {};
}

void SetAddressesFriendlyNames(std::vector<platform::AdapterFriendlyName> names) {
  TheMachine().addressesNames = std::move(names);
}

}  // namespace host

namespace platform {

std::uint32_t GetAdaptersInfo(IP_ADAPTER_INFO* buffer, std::uint32_t* size) {
  return host::Answer("GetAdaptersInfo", host::TheMachine().adaptersInfoScript,
                      kErrorBufferOverflow, buffer, size, host::AdaptersInfoImage);
}

std::uint32_t GetPerAdapterInfo(std::uint32_t adapterIndex, IP_PER_ADAPTER_INFO* buffer,
                                std::uint32_t* size) {
  auto& machine = host::TheMachine();
  const auto adapter = std::find_if(machine.adapters.begin(), machine.adapters.end(),
                                    [&](const auto& a) { return a.index == adapterIndex; });
  const std::string query = "GetPerAdapterInfo " + std::to_string(adapterIndex);
  if (adapter == machine.adapters.end()) {
    host::Record(query + ": no such adapter");
    return kErrorNoData;
  }
  // A read begins with its size query: a pending change shows from the read it is due at.
  auto& change = machine.pendingDnsChange;
  if (buffer == nullptr && change && change->index == adapterIndex) {
    if (change->readsBefore-- == 0) {
      adapter->dnsServers = change->servers;
      change.reset();
    }
  }
  return host::Answer(query.c_str(), adapter->dnsScript, kErrorBufferOverflow, buffer, size,
                      [&](std::uintptr_t base) { return host::PerAdapterImage(base, *adapter); });
}

std::uint32_t GetInterfaceInfo(IP_INTERFACE_INFO* buffer, std::uint32_t* size) {
  return host::Answer("GetInterfaceInfo", host::TheMachine().interfaceInfoScript,
                      kErrorInsufficientBuffer, buffer, size, [](std::uintptr_t base) {
                        return host::Image{base, host::TheMachine().interfaceTable};
                      });
}

std::uint32_t MprConfigServerConnect(RouterConfigHandle* handle) {
  host::Record("MprConfigServerConnect");
  auto& machine = host::TheMachine();
  *handle = nullptr;
  if (machine.routerConnectAnswer != kNoError) {
    return machine.routerConnectAnswer;
  }
  ++machine.openRouterConnections;
  ++machine.routerConnectionsMade;
  *handle = reinterpret_cast<RouterConfigHandle>(
      static_cast<std::uintptr_t>(0x1000 + machine.routerConnectionsMade));
  return kNoError;
}

std::uint32_t MprConfigGetFriendlyName(RouterConfigHandle handle, const char16_t* interfaceName,
                                       char16_t* friendlyName, std::uint32_t bufferBytes) {
  const std::u16string name(interfaceName);
  host::Record("MprConfigGetFriendlyName " + Utf16ToUtf8(name));
  auto& machine = host::TheMachine();
  if (handle == nullptr || machine.openRouterConnections == 0) {
    return host::kErrorInvalidHandle;
  }
  const auto found = machine.routerNames.find(name);
  if (found == machine.routerNames.end()) {
    return host::kErrorNotFound;
  }
  const std::u16string& friendly = found->second;
  if ((friendly.size() + 1) * sizeof(char16_t) > bufferBytes) {
    return kErrorInsufficientBuffer;
  }
  std::copy(friendly.begin(), friendly.end(), friendlyName);
  friendlyName[friendly.size()] = u'\0';
  return kNoError;
}

void MprConfigServerDisconnect(RouterConfigHandle handle) {
  host::Record("MprConfigServerDisconnect");
  if (handle != nullptr) {
    --host::TheMachine().openRouterConnections;
  }
}

std::vector<AdapterFriendlyName> QueryAdapterFriendlyNames() {
  host::Record("GetAdaptersAddresses");
  return host::TheMachine().addressesNames;
}

}  // namespace platform
