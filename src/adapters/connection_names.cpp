#include "adapters/connection_names.h"

#include <array>
#include <optional>

#include "adapters/interface_table.h"
#include "adapters/system_buffer.h"
#include "platform/ip_helper.h"
#include "platform/text_utf16.h"

namespace {

// The friendly-name buffer offered to the router-configuration service: 256 bytes, of which it
// is told 255 so that the last unit always stays a terminator.
constexpr std::size_t kFriendlyNameUnits = 128;
constexpr std::uint32_t kFriendlyNameBytesOffered = 255;

std::vector<InterfaceMapEntry> ReadSystemInterfaceTable() {
  std::uint32_t size = 0;
  if (platform::GetInterfaceInfo(nullptr, &size) != platform::kErrorInsufficientBuffer ||
      size == 0) {
    return {};
  }
  SystemBuffer buffer(size);
  // Whatever this answers, the buffer is read: a call that wrote nothing leaves the count 0.
  platform::GetInterfaceInfo(reinterpret_cast<platform::IP_INTERFACE_INFO*>(buffer.data()), &size);
  return ReadInterfaceTable(buffer);
}

std::string RouterFriendlyName(platform::RouterConfigHandle handle, const std::u16string& name) {
  std::array<char16_t, kFriendlyNameUnits> friendlyName{};
  platform::MprConfigGetFriendlyName(handle, name.c_str(), friendlyName.data(),
                                     kFriendlyNameBytesOffered);
  return platform::Utf16ToUtf8(std::u16string_view(friendlyName.data(), friendlyName.size()));
}

void FillTable(ConnectionNameTable& table, std::optional<platform::RouterConfigHandle> router) {
  for (const InterfaceMapEntry& map : ReadSystemInterfaceTable()) {
    ConnectionNameEntry entry;
    entry.interfaceIndex = map.index;
    entry.interfaceName = platform::Utf16ToUtf8(map.name);
    entry.guidText = GuidText(entry.interfaceName);
    if (router) {
      entry.friendlyName = RouterFriendlyName(*router, map.name);
    }
    table.push_back(std::move(entry));
  }
}

}  // namespace

std::string GuidText(std::string_view interfaceName) {
  const std::size_t brace = interfaceName.find('{');
  return std::string(brace == std::string_view::npos ? interfaceName : interfaceName.substr(brace));
}

void QueryConnectionNames(ConnectionNameTable& table) {
  table.clear();
  // Without a connection there is no handle to ask with: the service is not asked at all.
  platform::RouterConfigHandle handle = nullptr;
  const bool connected =
      platform::MprConfigServerConnect(&handle) == platform::kNoError && handle != nullptr;
  FillTable(table, connected ? std::optional(handle) : std::nullopt);
  if (connected) {
    platform::MprConfigServerDisconnect(handle);
  }
}
