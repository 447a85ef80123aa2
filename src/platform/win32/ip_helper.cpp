// The network-configuration queries on Windows: the IP Helper calls of iphlpapi.dll and the
// router-configuration calls of mprapi.dll, both bound at run time from System32, and the
// connection names of GetAdaptersAddresses. Neither DLL is one that Windows always takes from
// System32, so neither is imported: a copy planted beside the exe would load instead.
//
// The program's own record definitions (platform/ip_helper.h) are checked here against the
// system's, field by field, so a buffer the system fills can be read through either.

// Order matters: winsock2 before windows, both before the IP Helper and router headers.
#include <winsock2.h>

#include <windows.h>

#include <iphlpapi.h>
#include <mprapi.h>

#include <cstddef>
#include <vector>

#include "platform/ip_helper.h"
#include "platform/win32/system_module.h"

namespace platform {
namespace {

#define QV_SAME_FIELD(ours, theirs, field)                          \
  static_assert(offsetof(ours, field) == offsetof(theirs, field) && \
                    sizeof(ours::field) == sizeof(theirs::field),   \
                #ours "::" #field " differs from the system's layout")

#define QV_SAME_RECORD(ours, theirs)                                                \
  static_assert(sizeof(ours) == sizeof(theirs) && alignof(ours) == alignof(theirs), \
                #ours " differs from the system's size")

QV_SAME_RECORD(platform::IP_ADDRESS_STRING, ::IP_ADDRESS_STRING);
QV_SAME_RECORD(platform::IP_ADDR_STRING, ::IP_ADDR_STRING);
QV_SAME_FIELD(platform::IP_ADDR_STRING, ::IP_ADDR_STRING, Next);
QV_SAME_FIELD(platform::IP_ADDR_STRING, ::IP_ADDR_STRING, IpAddress);
QV_SAME_FIELD(platform::IP_ADDR_STRING, ::IP_ADDR_STRING, IpMask);
QV_SAME_FIELD(platform::IP_ADDR_STRING, ::IP_ADDR_STRING, Context);

QV_SAME_RECORD(platform::IP_ADAPTER_INFO, ::IP_ADAPTER_INFO);
QV_SAME_FIELD(platform::IP_ADAPTER_INFO, ::IP_ADAPTER_INFO, Next);
QV_SAME_FIELD(platform::IP_ADAPTER_INFO, ::IP_ADAPTER_INFO, ComboIndex);
QV_SAME_FIELD(platform::IP_ADAPTER_INFO, ::IP_ADAPTER_INFO, AdapterName);
QV_SAME_FIELD(platform::IP_ADAPTER_INFO, ::IP_ADAPTER_INFO, Description);
QV_SAME_FIELD(platform::IP_ADAPTER_INFO, ::IP_ADAPTER_INFO, AddressLength);
QV_SAME_FIELD(platform::IP_ADAPTER_INFO, ::IP_ADAPTER_INFO, Address);
QV_SAME_FIELD(platform::IP_ADAPTER_INFO, ::IP_ADAPTER_INFO, Index);
QV_SAME_FIELD(platform::IP_ADAPTER_INFO, ::IP_ADAPTER_INFO, Type);
QV_SAME_FIELD(platform::IP_ADAPTER_INFO, ::IP_ADAPTER_INFO, DhcpEnabled);
QV_SAME_FIELD(platform::IP_ADAPTER_INFO, ::IP_ADAPTER_INFO, CurrentIpAddress);
QV_SAME_FIELD(platform::IP_ADAPTER_INFO, ::IP_ADAPTER_INFO, IpAddressList);
QV_SAME_FIELD(platform::IP_ADAPTER_INFO, ::IP_ADAPTER_INFO, GatewayList);
QV_SAME_FIELD(platform::IP_ADAPTER_INFO, ::IP_ADAPTER_INFO, DhcpServer);
QV_SAME_FIELD(platform::IP_ADAPTER_INFO, ::IP_ADAPTER_INFO, HaveWins);
QV_SAME_FIELD(platform::IP_ADAPTER_INFO, ::IP_ADAPTER_INFO, PrimaryWinsServer);
QV_SAME_FIELD(platform::IP_ADAPTER_INFO, ::IP_ADAPTER_INFO, SecondaryWinsServer);
QV_SAME_FIELD(platform::IP_ADAPTER_INFO, ::IP_ADAPTER_INFO, LeaseObtained);
QV_SAME_FIELD(platform::IP_ADAPTER_INFO, ::IP_ADAPTER_INFO, LeaseExpires);

QV_SAME_RECORD(platform::IP_PER_ADAPTER_INFO, ::IP_PER_ADAPTER_INFO);
QV_SAME_FIELD(platform::IP_PER_ADAPTER_INFO, ::IP_PER_ADAPTER_INFO, AutoconfigEnabled);
QV_SAME_FIELD(platform::IP_PER_ADAPTER_INFO, ::IP_PER_ADAPTER_INFO, AutoconfigActive);
QV_SAME_FIELD(platform::IP_PER_ADAPTER_INFO, ::IP_PER_ADAPTER_INFO, CurrentDnsServer);
QV_SAME_FIELD(platform::IP_PER_ADAPTER_INFO, ::IP_PER_ADAPTER_INFO, DnsServerList);

QV_SAME_RECORD(platform::IP_ADAPTER_INDEX_MAP, ::IP_ADAPTER_INDEX_MAP);
QV_SAME_FIELD(platform::IP_ADAPTER_INDEX_MAP, ::IP_ADAPTER_INDEX_MAP, Index);
QV_SAME_FIELD(platform::IP_ADAPTER_INDEX_MAP, ::IP_ADAPTER_INDEX_MAP, Name);
QV_SAME_RECORD(platform::IP_INTERFACE_INFO, ::IP_INTERFACE_INFO);
QV_SAME_FIELD(platform::IP_INTERFACE_INFO, ::IP_INTERFACE_INFO, NumAdapters);
QV_SAME_FIELD(platform::IP_INTERFACE_INFO, ::IP_INTERFACE_INFO, Adapter);

static_assert(kErrorBufferOverflow == ERROR_BUFFER_OVERFLOW &&
              kErrorInsufficientBuffer == ERROR_INSUFFICIENT_BUFFER && kNoError == NO_ERROR &&
              kErrorNoData == ERROR_NO_DATA && kErrorNotSupported == ERROR_NOT_SUPPORTED);
static_assert(sizeof(char16_t) == sizeof(WCHAR));

#undef QV_SAME_FIELD
#undef QV_SAME_RECORD

// Each DLL is bound when first needed and kept for the life of the process. A function that
// cannot be bound answers like a failing query, and the inventory goes on with empty results.
struct IpHelperFunctions {
  decltype(&::GetAdaptersInfo) adaptersInfo = nullptr;
  decltype(&::GetPerAdapterInfo) perAdapterInfo = nullptr;
  decltype(&::GetInterfaceInfo) interfaceInfo = nullptr;
  decltype(&::GetAdaptersAddresses) adaptersAddresses = nullptr;
};

const IpHelperFunctions& IpHelper() {
  static const IpHelperFunctions functions = [] {
    const HMODULE module = win32::System32Module(L"iphlpapi.dll");
    IpHelperFunctions bound;
    bound.adaptersInfo =
        win32::FindFunction<decltype(bound.adaptersInfo)>(module, "GetAdaptersInfo");
    bound.perAdapterInfo =
        win32::FindFunction<decltype(bound.perAdapterInfo)>(module, "GetPerAdapterInfo");
    bound.interfaceInfo =
        win32::FindFunction<decltype(bound.interfaceInfo)>(module, "GetInterfaceInfo");
    bound.adaptersAddresses =
        win32::FindFunction<decltype(bound.adaptersAddresses)>(module, "GetAdaptersAddresses");
    return bound;
  }();
  return functions;
}

struct RouterConfigFunctions {
  decltype(&::MprConfigServerConnect) connect = nullptr;
  decltype(&::MprConfigGetFriendlyName) friendlyName = nullptr;
  decltype(&::MprConfigServerDisconnect) disconnect = nullptr;
};

// A system without mprapi.dll simply has no router-configuration service, and names come from
// the other source. The three functions are used together or not at all.
const RouterConfigFunctions& RouterConfig() {
  static const RouterConfigFunctions functions = [] {
    const HMODULE module = win32::System32Module(L"mprapi.dll");
    RouterConfigFunctions bound;
    bound.connect = win32::FindFunction<decltype(bound.connect)>(module, "MprConfigServerConnect");
    bound.friendlyName =
        win32::FindFunction<decltype(bound.friendlyName)>(module, "MprConfigGetFriendlyName");
    bound.disconnect =
        win32::FindFunction<decltype(bound.disconnect)>(module, "MprConfigServerDisconnect");
    if (!bound.connect || !bound.friendlyName || !bound.disconnect) {
      bound = {};
    }
    return bound;
  }();
  return functions;
}

}  // namespace

std::uint32_t GetAdaptersInfo(IP_ADAPTER_INFO* buffer, std::uint32_t* size) {
  if (!IpHelper().adaptersInfo) {
    return ERROR_PROC_NOT_FOUND;
  }
  ULONG systemSize = *size;
  const ULONG result =
      IpHelper().adaptersInfo(reinterpret_cast<::IP_ADAPTER_INFO*>(buffer), &systemSize);
  *size = systemSize;
  return result;
}

std::uint32_t GetPerAdapterInfo(std::uint32_t adapterIndex, IP_PER_ADAPTER_INFO* buffer,
                                std::uint32_t* size) {
  if (!IpHelper().perAdapterInfo) {
    return ERROR_PROC_NOT_FOUND;
  }
  ULONG systemSize = *size;
  const ULONG result = IpHelper().perAdapterInfo(
      adapterIndex, reinterpret_cast<::IP_PER_ADAPTER_INFO*>(buffer), &systemSize);
  *size = systemSize;
  return result;
}

std::uint32_t GetInterfaceInfo(IP_INTERFACE_INFO* buffer, std::uint32_t* size) {
  if (!IpHelper().interfaceInfo) {
    return ERROR_PROC_NOT_FOUND;
  }
  ULONG systemSize = *size;
  const DWORD result =
      IpHelper().interfaceInfo(reinterpret_cast<::IP_INTERFACE_INFO*>(buffer), &systemSize);
  *size = systemSize;
  return result;
}

std::uint32_t MprConfigServerConnect(RouterConfigHandle* handle) {
  *handle = nullptr;
  const RouterConfigFunctions& router = RouterConfig();
  if (!router.connect) {
    return ERROR_PROC_NOT_FOUND;
  }
  HANDLE config = nullptr;
  const DWORD result = router.connect(nullptr, &config);
  if (result == NO_ERROR) {
    *handle = config;
  }
  return result;
}

std::uint32_t MprConfigGetFriendlyName(RouterConfigHandle handle, const char16_t* interfaceName,
                                       char16_t* friendlyName, std::uint32_t bufferBytes) {
  const RouterConfigFunctions& router = RouterConfig();
  // Never with a handle that no connect gave: some implementations abort the process then.
  if (handle == nullptr || !router.friendlyName) {
    return ERROR_INVALID_HANDLE;
  }
  // The system takes non-const pointers but only reads the name.
  return router.friendlyName(handle, reinterpret_cast<PWCHAR>(const_cast<char16_t*>(interfaceName)),
                             reinterpret_cast<PWCHAR>(friendlyName), bufferBytes);
}

void MprConfigServerDisconnect(RouterConfigHandle handle) {
  const RouterConfigFunctions& router = RouterConfig();
  if (handle != nullptr && router.disconnect) {
    router.disconnect(handle);
  }
}

std::vector<AdapterFriendlyName> QueryAdapterFriendlyNames() {
  const auto getAdaptersAddresses = IpHelper().adaptersAddresses;
  if (!getAdaptersAddresses) {
    return {};
  }
  constexpr ULONG kFlags = GAA_FLAG_SKIP_UNICAST | GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST |
                           GAA_FLAG_SKIP_DNS_SERVER;
  // The list can grow between the size query and the call that fills it: a few attempts.
  std::vector<std::uint64_t> buffer;  // 8-byte aligned, as the records need
  ULONG size = 0;
  ULONG result = getAdaptersAddresses(AF_UNSPEC, kFlags, nullptr, nullptr, &size);
  for (int attempt = 0; attempt < 3 && result == ERROR_BUFFER_OVERFLOW && size > 0; ++attempt) {
    buffer.assign(size / sizeof(std::uint64_t) + 1, 0);
    result = getAdaptersAddresses(AF_UNSPEC, kFlags, nullptr,
                                  reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
  }
  std::vector<AdapterFriendlyName> names;
  if (result != NO_ERROR || buffer.empty()) {
    return names;
  }
  for (auto* adapter = reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(buffer.data());
       adapter != nullptr; adapter = adapter->Next) {
    AdapterFriendlyName name;
    if (adapter->AdapterName != nullptr) {
      name.adapterName = adapter->AdapterName;
    }
    if (adapter->FriendlyName != nullptr) {
      name.friendlyName = reinterpret_cast<const char16_t*>(adapter->FriendlyName);
    }
    names.push_back(std::move(name));
  }
  return names;
}

}  // namespace platform
