#include "adapters/adapter_query.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "adapters/adapter_dns.h"
#include "adapters/connection_names.h"
#include "adapters/system_buffer.h"
#include "platform/ip_helper.h"
#include "platform/text_utf16.h"

namespace {

std::string ConnectionNameFor(const ConnectionNameTable& names, const std::string& adapterName) {
  // The first entry with exactly this GUID text (letter case counts) gives the name.
  for (const ConnectionNameEntry& entry : names) {
    if (entry.guidText == adapterName) {
      return entry.friendlyName;
    }
  }
  return {};
}

AdapterRecord RecordOf(const platform::IP_ADAPTER_INFO& node, const ConnectionNameTable& names) {
  AdapterRecord record;
  record.adapterName = ArrayText(node.AdapterName);
  record.description = ArrayText(node.Description);
  record.typeNumber = static_cast<std::int32_t>(node.Type);
  record.typeName = AdapterTypeName(record.typeNumber);
  record.macText = MacText(node.Address, node.AddressLength);
  // Only the first address and the first gateway: further ones are not shown.
  record.ipAddress = ArrayText(node.IpAddressList.IpAddress.String);
  record.subnetMask = ArrayText(node.IpAddressList.IpMask.String);
  record.gateway = ArrayText(node.GatewayList.IpAddress.String);
  record.index = node.Index;
  QueryAdapterDns(node.Index, record.dns1, record.dns2);
  record.connectionName = ConnectionNameFor(names, record.adapterName);
  return record;
}

// The router-configuration service may know no name for an adapter: it may not run, may not list
// the interface, or may not answer for the device name it is asked with. Every adapter still
// without a name takes the one the system reports with its addresses for its own GUID (letter
// case counts), asked of the system at most once per query and only when needed.
void NameAdaptersTheTableMissed(std::vector<AdapterRecord>& list) {
  std::optional<std::vector<platform::AdapterFriendlyName>> reported;
  for (AdapterRecord& record : list) {
    if (!record.connectionName.empty()) {
      continue;
    }
    if (!reported) {
      reported = platform::QueryAdapterFriendlyNames();
    }
    const auto found = std::find_if(reported->begin(), reported->end(), [&](const auto& names) {
      return names.adapterName == record.adapterName;
    });
    if (found != reported->end()) {
      record.connectionName = platform::Utf16ToUtf8(found->friendlyName);
    }
  }
}

}  // namespace

int QueryAdapters(std::vector<AdapterRecord>& list) {
  list.clear();
  // Asked on every call, also when the adapters cannot be read.
  ConnectionNameTable names;
  QueryConnectionNames(names);

  std::uint32_t size = 0;
  if (platform::GetAdaptersInfo(nullptr, &size) != platform::kErrorBufferOverflow || size == 0) {
    return 0;
  }
  SystemBuffer buffer(size);
  auto* first = reinterpret_cast<platform::IP_ADAPTER_INFO*>(buffer.data());
  if (platform::GetAdaptersInfo(first, &size) != platform::kNoError) {
    return 0;
  }

  const platform::IP_ADAPTER_INFO* node = RecordInside<platform::IP_ADAPTER_INFO>(buffer, first);
  const std::size_t maxNodes = MaxRecordsInside<platform::IP_ADAPTER_INFO>(buffer);
  for (std::size_t walked = 0; node != nullptr && walked < maxNodes; ++walked) {
    list.push_back(RecordOf(*node, names));
    node = RecordInside<platform::IP_ADAPTER_INFO>(buffer, node->Next);
  }
  NameAdaptersTheTableMissed(list);
  return static_cast<int>(list.size());
}

std::string AdapterTypeName(std::int32_t typeNumber) {
  switch (typeNumber) {
    case 1:
      return "OTHER";
    case 6:
      return "ETHERNET";
    case 9:
      return "TOKENRING";
    case 15:
      return "FDDI";
    case 23:
      return "PPP";
    case 24:
      return "LOOPBACK";
    case 28:
      return "SLIP";
    case 71:
      return "IEEE80211";
    default:
      return std::to_string(typeNumber);
  }
}

std::string MacText(std::span<const std::uint8_t, 8> address, std::uint32_t addressLength) {
  const std::size_t length = std::min<std::size_t>(addressLength, address.size());
  std::string text;
  for (std::size_t i = 0; i < length; ++i) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned>(address[i]));
    text += pair;
    if (i + 1 < length) {
      text += '-';
    }
  }
  return text;
}
