#include "adapters/adapter_dns.h"

#include "adapters/system_buffer.h"
#include "platform/ip_helper.h"

bool QueryAdapterDns(std::uint32_t adapterIndex, std::string& dns1, std::string& dns2) {
  dns1.clear();
  dns2.clear();

  std::uint32_t size = 0;
  if (platform::GetPerAdapterInfo(adapterIndex, nullptr, &size) != platform::kErrorBufferOverflow ||
      size == 0) {
    return false;
  }
  SystemBuffer buffer(size);
  auto* info = reinterpret_cast<platform::IP_PER_ADAPTER_INFO*>(buffer.data());
  if (platform::GetPerAdapterInfo(adapterIndex, info, &size) != platform::kNoError) {
    return false;
  }
  if (RecordInside<platform::IP_PER_ADAPTER_INFO>(buffer, info) == nullptr) {
    return false;  // an answer too short to hold the record
  }

  // The whole list is walked; only its first two entries are kept.
  const platform::IP_ADDR_STRING* entry = &info->DnsServerList;
  const std::size_t maxEntries = MaxRecordsInside<platform::IP_ADDR_STRING>(buffer);
  for (std::size_t position = 1; entry != nullptr && position <= maxEntries; ++position) {
    if (position == 1) {
      dns1 = ArrayText(entry->IpAddress.String);
    } else if (position == 2) {
      dns2 = ArrayText(entry->IpAddress.String);
    }
    entry = RecordInside<platform::IP_ADDR_STRING>(buffer, entry->Next);
  }
  return true;
}
